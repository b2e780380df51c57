<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Aloita</name>
    <message>
        <source>Valitse kenttä alapuolelta. Klikkaa hiirellä ympyrää ja paina sitten Aloita.</source>
        <translation>Choose a lake below. Click a circle on the map, then press Start.</translation>
    </message>
    <message>
        <source>Aloita</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Karttoja ei löytynyt: pelin kansiosta puuttuu kansio data\maps.</source>
        <translation>No maps found: the game&apos;s folder has no data\maps folder.</translation>
    </message>
    <message>
        <source>Kansiossa data\maps ei ole yhtään karttaa.</source>
        <translation>There are no maps in the data\maps folder.</translation>
    </message>
    <message>
        <source>Valitse ensin kartta listasta.</source>
        <translation>Choose a map from the list first.</translation>
    </message>
    <message>
        <source>Valitse ensin kalapaikka klikkaamalla ympyrää kartalla.</source>
        <translation>Choose a fishing spot first: click a circle on the map.</translation>
    </message>
    <message>
        <source>Kalapaikan kuva %1 puuttuu tai on viallinen, joten peliä ei voi aloittaa.</source>
        <translation>The picture of the fishing spot, %1, is missing or damaged, so the game cannot start.</translation>
    </message>
    <message>
        <source>Järvet</source>
        <translation>Lakes</translation>
    </message>
    <message>
        <source>Kalapaikka %1</source>
        <translation>Fishing spot %1</translation>
    </message>
    <message>
        <source>Kalapaikka %1 valittu</source>
        <translation>Fishing spot %1 chosen</translation>
    </message>
    <message>
        <source>Norppala: järven ja kalapaikan valinta</source>
        <translation>Norppala: choose a lake and a spot</translation>
    </message>
    <message>
        <source>%1 ladattu.</source>
        <translation>%1 loaded.</translation>
    </message>
</context>
<context>
    <name>Captions</name>
    <message>
        <source>hauki</source>
        <translation>pike (hauki)</translation>
    </message>
    <message>
        <source>ahven</source>
        <translation>perch (ahven)</translation>
    </message>
    <message>
        <source>Kala tarttui! Se nousee veneeseen.</source>
        <translation>Hooked! The fish rises to the boat.</translation>
    </message>
    <message>
        <source>Saalis: %1, %2 g</source>
        <translation>Catch: %1, %2 g</translation>
    </message>
    <message>
        <source>Peli jatkuu</source>
        <translation>Game on</translation>
    </message>
    <message>
        <source>Aika loppui, peli päättyi.</source>
        <translation>Time&apos;s up, the game is over.</translation>
    </message>
    <message>
        <source>Kala nykii!</source>
        <translation>A fish is nibbling!</translation>
    </message>
    <message>
        <source>Nosta siima nyt! (välilyönti)</source>
        <translation>Lift the line now! (Space)</translation>
    </message>
    <message>
        <source>Nykäisyjä taukoamatta: mato kuluu.</source>
        <translation>Nonstop nibbles: the worm wears fast.</translation>
    </message>
    <message>
        <source>Tyhjä nosto: kala ei nykinyt.</source>
        <translation>Empty: no fish was nibbling.</translation>
    </message>
    <message>
        <source>Myöhässä: nykäisy ehti loppua.</source>
        <translation>Too late: the nibble had ended.</translation>
    </message>
    <message>
        <source>Kala nykäisi, mutta ei tarttunut.</source>
        <translation>The fish nibbled but was not hooked.</translation>
    </message>
    <message>
        <source>Saalis on täynnä: 20 kalaa.</source>
        <translation>The catch is full: 20 fish.</translation>
    </message>
    <message>
        <source>Mato on puoliksi syöty.</source>
        <translation>The worm is half eaten.</translation>
    </message>
    <message>
        <source>Mato on syöty: vaihda mato (V).</source>
        <translation>The worm is gone: change it (V).</translation>
    </message>
    <message>
        <source>Vinkki: ehjä mato pitää kalan.</source>
        <translation>Tip: a whole worm always hooks.</translation>
    </message>
    <message>
        <source>Vaihdetaan matoa … %1 s</source>
        <translation>Changing the worm … %1 s</translation>
    </message>
    <message>
        <source>Uusi mato on koukussa.</source>
        <translation>A fresh worm is on the hook.</translation>
    </message>
    <message>
        <source>Kymmenen sekuntia jäljellä.</source>
        <translation>Ten seconds left.</translation>
    </message>
    <message>
        <source>Vinkki: souda, jossain syö parhaiten.</source>
        <translation>Tip: row, fish bite best somewhere.</translation>
    </message>
    <message>
        <source>Tauko</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Tyhjä koukku ei houkuta kaloja.</source>
        <translation>A bare hook tempts no fish.</translation>
    </message>
</context>
<context>
    <name>Credits</name>
    <message>
        <source>Norppala - Tekijät</source>
        <translation>Norppala - Credits</translation>
    </message>
    <message>
        <source>Grafiikka: Aino Lehtola</source>
        <translation>Graphics: Aino Lehtola</translation>
    </message>
    <message>
        <source>Musiikki: Veikko Harju</source>
        <translation>Music: Veikko Harju</translation>
    </message>
    <message>
        <source>Testaaja: Oona Kivelä</source>
        <translation>Testing: Oona Kivelä</translation>
    </message>
    <message>
        <source>Pelin kotisivujen osoite:  http://norppala.example/</source>
        <translation>The game&apos;s home page:  http://norppala.example/</translation>
    </message>
    <message>
        <source>Sähköposti: tekijat@norppala.example</source>
        <translation>Email: tekijat@norppala.example</translation>
    </message>
    <message>
        <source>Pois</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Ennatykset</name>
    <message>
        <source>(nimetön)</source>
        <translation>(no name)</translation>
    </message>
    <message>
        <source>1 gramma</source>
        <translation>1 gram</translation>
    </message>
    <message>
        <source>%1 grammaa</source>
        <translation>%1 grams</translation>
    </message>
    <message>
        <source>1 kala</source>
        <translation>1 fish</translation>
    </message>
    <message>
        <source>%1 kalaa</source>
        <translation>%1 fish</translation>
    </message>
    <message>
        <source>ei vielä yhtään</source>
        <translation>none yet</translation>
    </message>
    <message>
        <source>Norppala - Ennätykset</source>
        <translation>Norppala - Records</translation>
    </message>
    <message>
        <source>Ennätykset</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Tuloksia ei ole vielä tallennettu.</source>
        <translation>No results have been saved yet.</translation>
    </message>
    <message>
        <source>Suurin ahven:</source>
        <translation>Biggest perch:</translation>
    </message>
    <message>
        <source>Suurin hauki:</source>
        <translation>Biggest pike:</translation>
    </message>
    <message>
        <source>Pois</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Sulkee ennätykset</source>
        <translation>Closes the records</translation>
    </message>
    <message>
        <source>%1. sija</source>
        <translation>Place %1</translation>
    </message>
    <message>
        <source>1 tulostiedosto ohitettiin (vioittunut tai lukukelvoton).</source>
        <translation>1 result file was skipped (damaged or unreadable).</translation>
    </message>
    <message>
        <source>%1 tulostiedostoa ohitettiin (vioittuneita tai lukukelvottomia).</source>
        <translation>%1 result files were skipped (damaged or unreadable).</translation>
    </message>
    <message>
        <source>Nimi</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Paino</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Kaloja</source>
        <translation>Fish</translation>
    </message>
    <message>
        <source>Luetaan tuloksia…</source>
        <translation>Reading the results…</translation>
    </message>
    <message>
        <source>Parhaat tulokset</source>
        <translation>Best results</translation>
    </message>
</context>
<context>
    <name>FishingGame</name>
    <message>
        <source>Nosta!</source>
        <translation>Lift!</translation>
    </message>
    <message>
        <source>Laske!</source>
        <translation>Lower!</translation>
    </message>
</context>
<context>
    <name>Loppu</name>
    <message>
        <source>Norppala - Lopputulos</source>
        <translation>Norppala - Results</translation>
    </message>
    <message>
        <source>Lopputulos</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Yhteispaino:</source>
        <translation>Total:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tallenna Tulos</source>
        <translation>Save Result</translation>
    </message>
    <message>
        <source>Kuka olet?</source>
        <translation>Who are you?</translation>
    </message>
    <message>
        <source>Tulosta ei voitu tallentaa: kansiota %1 ei voi luoda.</source>
        <translation>The result could not be saved: the folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>Pelin data-kansioon ei voi kirjoittaa, joten tulos tallennettiin omaan kansioosi:
%1</source>
        <translation>The game&apos;s data folder cannot be written to, so the result was saved in your own folder:
%1</translation>
    </message>
    <message>
        <source>Uusi ennätys!</source>
        <translation>New record!</translation>
    </message>
    <message>
        <source>Tämän pelin yhteispaino on suurempi kuin yksikään tallennettu tulos.</source>
        <translation>This game&apos;s total weight beats every saved result.</translation>
    </message>
    <message>
        <source>Ennätykset</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Näyttää parhaat tallennetut tulokset</source>
        <translation>Shows the best saved results</translation>
    </message>
    <message>
        <source>Saalis</source>
        <translation>Catch</translation>
    </message>
    <message>
        <source>Yhteispaino %1 grammaa</source>
        <translation>Total weight %1 grams</translation>
    </message>
    <message>
        <source>Nimellä &quot;%1&quot; on jo tallennettu tulos (%2 g). Korvataanko?</source>
        <translation>A result is already saved under &quot;%1&quot; (%2 g). Replace it?</translation>
    </message>
    <message>
        <source>Nimellä &quot;%1&quot; on jo tallennettu tiedosto. Korvataanko?</source>
        <translation>A file is already saved under &quot;%1&quot;. Replace it?</translation>
    </message>
    <message>
        <source>%1. Uusi ennätys!</source>
        <translation>%1. New record!</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Tervetuloa pelaamaan Norppala:stä!</source>
        <translation>Welcome to Norppala!</translation>
    </message>
    <message>
        <source>Pelaa</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Tekijät</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>Ohje</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Poistu</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Tehtävänäsi on saada mahdollisimman paljon isoja kaloja 3 minuutin aikana.</source>
        <translation>Your job is to catch as many big fish as you can in 3 minutes.</translation>
    </message>
    <message>
        <source>Norppala: päävalikko</source>
        <translation>Norppala: main menu</translation>
    </message>
</context>
<context>
    <name>Ohje</name>
    <message>
        <source>Norppala Ohje</source>
        <translation>Norppala Help</translation>
    </message>
    <message>
        <source>Ahventen koot:</source>
        <translation>Perch sizes:</translation>
    </message>
    <message>
        <source>Haukien koot:</source>
        <translation>Pike sizes:</translation>
    </message>
    <message>
        <source>Pelin nimi tulee miehestä kuka pelissä kalastelee. Mies on ihan pöpi! Puhelee yksin mielettömiä. Ilman äänikorttia tämä peli on aivan tavallinen kalastuspeli. HUOM! Tämä peli ei ole kovin realistinen!</source>
        <translation>The game is named after the man who does the fishing. He is completely barmy! Talks nonsense to himself. Without a sound card this is just an ordinary fishing game. NOTE! This game is not very realistic!</translation>
    </message>
    <message>
        <source>Pois</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Pieni ahven</source>
        <translation>Small perch</translation>
    </message>
    <message>
        <source>Keskikokoinen ahven</source>
        <translation>Medium perch</translation>
    </message>
    <message>
        <source>Iso ahven</source>
        <translation>Big perch</translation>
    </message>
    <message>
        <source>Pieni hauki</source>
        <translation>Small pike</translation>
    </message>
    <message>
        <source>Keskikokoinen hauki</source>
        <translation>Medium pike</translation>
    </message>
    <message>
        <source>Iso hauki</source>
        <translation>Big pike</translation>
    </message>
    <message>
        <source>Norppala: ohje</source>
        <translation>Norppala: help</translation>
    </message>
    <message>
        <source>Vinkit näkyvät tekstityksessä seuraavassa pelissä.</source>
        <translation>The hints show in the captions of the next game.</translation>
    </message>
    <message>
        <source>Vinkit</source>
        <translation>Hints</translation>
    </message>
    <message>
        <source>Koko:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>Ikkunoiden koko</source>
        <translation>Size of the windows</translation>
    </message>
    <message>
        <source>Myös näppäimet + ja -. F11 näyttää ikkunan koko näytöllä.</source>
        <translation>Also the keys + and -. F11 shows the window full screen.</translation>
    </message>
</context>
<context>
    <name>Peli</name>
    <message>
        <source>Veneen ohjaus:</source>
        <translation>Boat controls:</translation>
    </message>
    <message>
        <source>Ongen ohjaus:</source>
        <translation>Rod controls:</translation>
    </message>
    <message>
        <source>Madon tila:</source>
        <translation>Worm status:</translation>
    </message>
    <message>
        <source>Saalis</source>
        <translation>Catch</translation>
    </message>
    <message>
        <source>Nosta!</source>
        <translation>Lift!</translation>
    </message>
    <message>
        <source>Näpäytä vapaa</source>
        <translation>Tap the rod</translation>
    </message>
    <message>
        <source>Vaihda mato</source>
        <translation>Change worm</translation>
    </message>
    <message>
        <source>Lopeta</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Tauko – jatka painamalla P</source>
        <translation>Paused – press P to resume</translation>
    </message>
    <message>
        <source>Souda ylös</source>
        <translation>Row up</translation>
    </message>
    <message>
        <source>Souda alas</source>
        <translation>Row down</translation>
    </message>
    <message>
        <source>Järven vesi</source>
        <translation>The lake</translation>
    </message>
    <message>
        <source>Rengas vedessä</source>
        <translation>Ripple on the water</translation>
    </message>
    <message>
        <source>Kala nousee</source>
        <translation>Fish coming up</translation>
    </message>
    <message>
        <source>Vene</source>
        <translation>Boat</translation>
    </message>
    <message>
        <source>Äänet pois</source>
        <translation>Sound off</translation>
    </message>
    <message>
        <source>Äänet pois, M palauttaa</source>
        <translation>Sound off, M turns it back on</translation>
    </message>
    <message>
        <source>Kala nykii!</source>
        <translation>A fish is nibbling!</translation>
    </message>
    <message>
        <source>Mato on syöty, vaihda mato.</source>
        <translation>The worm is eaten, change it.</translation>
    </message>
    <message>
        <source>Mato on puoliksi syöty.</source>
        <translation>The worm is half eaten.</translation>
    </message>
    <message>
        <source>kala nykii!</source>
        <translation>a fish is nibbling!</translation>
    </message>
    <message>
        <source>kala nousee</source>
        <translation>a fish is coming up</translation>
    </message>
    <message>
        <source>näpäyttää vapaa</source>
        <translation>taps the rod</translation>
    </message>
    <message>
        <source>nostaa</source>
        <translation>lifts the line</translation>
    </message>
    <message>
        <source>siima ylhäällä</source>
        <translation>holds the line up</translation>
    </message>
    <message>
        <source>laskee siiman</source>
        <translation>lowers the line</translation>
    </message>
    <message>
        <source>odottaa</source>
        <translation>waits</translation>
    </message>
    <message>
        <source>Ukko: %1</source>
        <translation>Angler: %1</translation>
    </message>
    <message>
        <source>Kala tarttui, se nousee veneeseen.</source>
        <translation>Hooked! It&apos;s coming up to the boat.</translation>
    </message>
    <message>
        <source>vedessä</source>
        <translation>in the water</translation>
    </message>
    <message>
        <source>syöty</source>
        <translation>eaten</translation>
    </message>
    <message>
        <source>puoliksi syöty</source>
        <translation>half eaten</translation>
    </message>
    <message>
        <source>ehjä</source>
        <translation>whole</translation>
    </message>
    <message>
        <source>vaihdetaan</source>
        <translation>being changed</translation>
    </message>
    <message>
        <source>Mato: %1</source>
        <translation>Worm: %1</translation>
    </message>
    <message>
        <source>Aikaa kulunut %1 min %2 s</source>
        <translation>Time gone %1 min %2 s</translation>
    </message>
    <message>
        <source>Kymmenen sekuntia jäljellä.</source>
        <translation>Ten seconds left.</translation>
    </message>
    <message>
        <source>Saalis: %1, %2 grammaa.</source>
        <translation>Caught: %1, %2 grams.</translation>
    </message>
    <message>
        <source>Tauko</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Peli jatkuu</source>
        <translation>Game on</translation>
    </message>
    <message>
        <source>Norppala: kalastus</source>
        <translation>Norppala: fishing</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Peruuta</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kyllä</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ei</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>ScreenFlow</name>
    <message>
        <source>Aika loppui, peli päättyi.</source>
        <translation>Time&apos;s up, the game is over.</translation>
    </message>
</context>
<context>
    <name>ShortcutFilter</name>
    <message>
        <source>Äänet pois</source>
        <translation>Sound off</translation>
    </message>
    <message>
        <source>Äänet päällä</source>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>Nykäisymerkki päällä</source>
        <translation>Nibble cue on</translation>
    </message>
    <message>
        <source>Nykäisymerkki pois</source>
        <translation>Nibble cue off</translation>
    </message>
    <message>
        <source>Tekstitys päällä</source>
        <translation>Captions on</translation>
    </message>
    <message>
        <source>Tekstitys pois</source>
        <translation>Captions off</translation>
    </message>
    <message>
        <source>Koko %1×</source>
        <translation>Size %1×</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Pienennä</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>Sulje</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>chatter</name>
    <message>
        <source>No niin. Taas täällä. Kala, kala, missä sinä olet?</source>
        <translation>Well then. Here again. Fishy, fishy, where are you?</translation>
    </message>
    <message>
        <source>Ei syö. Ei syö ei. Liian hieno mato tälle järvelle.</source>
        <translation>Not biting. Not biting, no. Too fine a worm for this lake.</translation>
    </message>
    <message>
        <source>Mitähän se ahven nyt miettii. Varmaan samaa kuin minä.</source>
        <translation>Wonder what that perch is thinking. Same as me, I bet.</translation>
    </message>
    <message>
        <source>Hauki! Tule tänne! Minulla on sinulle asiaa.</source>
        <translation>Pike! Come here! I&apos;ve got a word for you.</translation>
    </message>
    <message>
        <source>Ennen oli kalat isompia. Ja madot pitkiä kuin villasukat.</source>
        <translation>Fish were bigger in the old days. And worms as long as woolly socks.</translation>
    </message>
    <message>
        <source>Tuulee lounaasta. Tai koillisesta. Ihan sama.</source>
        <translation>Wind&apos;s from the southwest. Or the northeast. All the same.</translation>
    </message>
    <message>
        <source>Minä puhun kaloille, eikä kukaan vastaa. Tyypillistä.</source>
        <translation>I talk to the fish and nobody answers. Typical.</translation>
    </message>
    <message>
        <source>Ei tässä kiirettä. Järvi ei karkaa minnekään.</source>
        <translation>No hurry. The lake isn&apos;t going anywhere.</translation>
    </message>
    <message>
        <source>Mato, ole reipas. Tee isä ylpeäksi.</source>
        <translation>Chin up, worm. Make your old dad proud.</translation>
    </message>
    <message>
        <source>Kuka siellä naputtelee? Ahven, sinäkö?</source>
        <translation>Who&apos;s that tapping down there? Perch, is that you?</translation>
    </message>
    <message>
        <source>Jos ei tule kalaa, syön makkaraa. Hah!</source>
        <translation>If no fish comes, I&apos;ll eat sausage. Ha!</translation>
    </message>
    <message>
        <source>Voi räkä. Koho heiluu, mutta ei mitään.</source>
        <translation>Oh, drat. The float bobs, but nothing.</translation>
    </message>
    <message>
        <source>Isoisä sanoi, että tämä on hyvä paikka. Isoisä ei osannut kalastaa.</source>
        <translation>Grandpa said this was a good spot. Grandpa couldn&apos;t fish.</translation>
    </message>
    <message>
        <source>Hyttynen! Mene pois, minä kalastan tässä!</source>
        <translation>Mosquito! Go away, I&apos;m fishing here!</translation>
    </message>
    <message>
        <source>Hiljaa nyt, kalat kuulevat. Kuulevatko kalat? Eivät kuule.</source>
        <translation>Quiet now, the fish can hear. Can fish hear? No, they can&apos;t.</translation>
    </message>
</context>
<context>
    <name>mapfile</name>
    <message>
        <source>Karttaa &quot;%1&quot; ei voitu avata.</source>
        <translation>The map &quot;%1&quot; could not be opened.</translation>
    </message>
    <message>
        <source>Kartan kuvaus &quot;%1&quot; on vajaa: siinä pitää olla kymmenen riviä.</source>
        <translation>The map description &quot;%1&quot; is incomplete: it must have ten lines.</translation>
    </message>
    <message>
        <source>Kartan kuvaus &quot;%1&quot; on liian suuri luettavaksi.</source>
        <translation>The map description &quot;%1&quot; is too large to read.</translation>
    </message>
    <message>
        <source>Kartan kuvauksen &quot;%1&quot; ensimmäinen rivi ei ole kelvollinen kartan kansion nimi.</source>
        <translation>The first line of the map description &quot;%1&quot; is not a valid map folder name.</translation>
    </message>
    <message>
        <source>Kartan &quot;%1&quot; kansiosta puuttuu kuva %2 tai se on viallinen.</source>
        <translation>The picture %2 is missing from the folder of the map &quot;%1&quot;, or it is damaged.</translation>
    </message>
    <message>
        <source>Karttaa &quot;%1&quot; ei voitu käyttää.</source>
        <translation>The map &quot;%1&quot; could not be used.</translation>
    </message>
</context>
<context>
    <name>resultfile</name>
    <message>
        <source>Tulosta ei voitu tallentaa tiedostoon %1.
%2
Jos tällä nimellä oli jo tulos, se on ennallaan.</source>
        <translation>The result could not be saved in the file %1.
%2
If there was a result under this name already, it is unchanged.</translation>
    </message>
    <message>
        <source>Nimessä ei saa olla ohjausmerkkejä.</source>
        <translation>The name must not contain control characters.</translation>
    </message>
    <message>
        <source>Nimessä ei saa olla merkkiä %1.
Näitä merkkejä ei voi käyttää: / \ : * ? &quot; &lt; &gt; |</source>
        <translation>The name must not contain the character %1.
These characters cannot be used: / \ : * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <source>Nimi ei voi olla pelkkä piste tai kaksi pistettä.</source>
        <translation>The name cannot be just one dot or two dots.</translation>
    </message>
    <message>
        <source>Nimi on liian pitkä: siinä saa olla enintään %1 merkkiä.</source>
        <translation>The name is too long: it can have at most %1 characters.</translation>
    </message>
    <message>
        <source>Nimessä on merkki, jota ei voi tallentaa tulostiedostoon.</source>
        <translation>The name has a character that cannot be saved in a result file.</translation>
    </message>
    <message>
        <source>Nimeä &quot;%1&quot; ei voi käyttää tiedoston nimenä.</source>
        <translation>&quot;%1&quot; cannot be used as a file name.</translation>
    </message>
    <message>
        <source>Tulosta ei tallennettu.
</source>
        <translation>The result was not saved.
</translation>
    </message>
    <message>
        <source>Tulosta ei tallennettu.
Nimestä ei saa tiedostoa data-kansioon.</source>
        <translation>The result was not saved.
That name does not make a file in the data folder.</translation>
    </message>
    <message>
        <source>Kirjoittaminen keskeytyi.</source>
        <translation>Writing stopped before the end.</translation>
    </message>
</context>
<context>
    <name>startup</name>
    <message>
        <source>Pelin data-kansiota ei löytynyt:
%1

Kansiossa ovat pelin kuvat, musiikki ja kartat, joten peli ei voi käynnistyä ilman sitä. Asenna peli uudelleen tai siirrä data-kansio ohjelman viereen.</source>
        <translation>The game&apos;s data folder was not found:
%1

It holds the game&apos;s pictures, music and maps, so the game cannot start without it. Install the game again, or move the data folder next to the program.</translation>
    </message>
</context>
</TS>
