#include "results/ennatykset.h"

#include "core/recordsreader.h"
#include "platform/context.h"
#include "platform/labeltable.h"
#include "platform/look.h"
#include "platform/windownames.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPushButton>

namespace {

constexpr int kWidth = 393;
constexpr int kFirstRowTop = 92;
constexpr int kRowHeight = 21;

// A name of blanks only is a name the game saves, but shows as nothing.
QString shownName(const QString& name) {
    return name.trimmed().isEmpty() ? QCoreApplication::translate("Ennatykset", "(nimetön)") : name;
}

QString gramsSpoken(qint64 grams) {
    return grams == 1 ? QCoreApplication::translate("Ennatykset", "1 gramma")
                      : QCoreApplication::translate("Ennatykset", "%1 grammaa").arg(grams);
}

QString fishSpoken(int fish) {
    return fish == 1 ? QCoreApplication::translate("Ennatykset", "1 kala")
                     : QCoreApplication::translate("Ennatykset", "%1 kalaa").arg(fish);
}

QString skippedFiles(int files) {
    return files == 1
               ? QCoreApplication::translate(
                     "Ennatykset", "1 tulostiedosto ohitettiin (vioittunut tai lukukelvoton).")
               : QCoreApplication::translate(
                     "Ennatykset",
                     "%1 tulostiedostoa ohitettiin (vioittuneita tai lukukelvottomia).")
                     .arg(files);
}

void setText(Label* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
}

Label* makeLabel(QWidget* parent, const QString& name, const QRect& box, const QString& caption,
                 bool bold = false, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label =
        new Label(parent, name, box, caption, look::arial(9.75, bold), look::cyan, alignment);
    label->setAccessibleName(caption);
    return label;
}

// Shows the name cut to its box with an ellipsis; a screen reader and the
// tooltip still get the whole name.
void setName(Label* label, const QString& name) {
    const QString shown = shownName(name);
    const QString fitted = label->fontMetrics().elidedText(shown, Qt::ElideRight, label->width());
    label->setText(fitted);
    label->setToolTip(fitted == shown ? QString() : shown);
    label->setAccessibleName(shown);
}

void setBigFish(Label* label, const std::optional<BigFish>& fish) {
    if (!fish || fish->grams <= 0) {
        label->setText(QCoreApplication::translate("Ennatykset", "ei vielä yhtään"));
        label->setToolTip(QString());
        label->setAccessibleName(label->text());
        return;
    }
    const QString shown = shownName(fish->name);
    const QString weight = QStringLiteral(", %1g").arg(fish->grams);
    const int room = label->width() - label->fontMetrics().horizontalAdvance(weight);
    const QString fitted = label->fontMetrics().elidedText(shown, Qt::ElideRight, room);
    label->setText(fitted + weight);
    label->setToolTip(fitted == shown ? QString() : shown);
    label->setAccessibleName(shown + QStringLiteral(", ") + gramsSpoken(fish->grams));
}

} // namespace

Ennatykset::Ennatykset(Forms& forms)
    : Form(forms, windowName::ennatykset, tr("Norppala - Ennätykset"), QSize(kWidth, 425)) {
    setAccessibleName(tr("Ennätykset"));
    Label1 =
        new Label(this, QStringLiteral("Label1"), QRect(0, 0, kWidth, 65), tr("Ennätykset"),
                  look::arial(36, true, true, true), look::cyan, Qt::AlignHCenter | Qt::AlignTop);
    Label1->setAccessibleName(Label1->text());

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    otsikko_nimi =
        makeLabel(this, QStringLiteral("otsikko_nimi"), QRect(48, 70, 193, 19), tr("Nimi"), true);
    otsikko_paino = makeLabel(this, QStringLiteral("otsikko_paino"), QRect(248, 70, 73, 19),
                              tr("Paino"), true, right);
    otsikko_kaloja = makeLabel(this, QStringLiteral("otsikko_kaloja"), QRect(328, 70, 57, 19),
                               tr("Kaloja"), true, right);

    // The rows are a table a screen reader reads cell by cell under the headings.
    taulukko = new LabelTable(this, QStringLiteral("taulukko"),
                              QRect(0, kFirstRowTop, kWidth, kPlaces * kRowHeight));
    taulukko->setAccessibleName(tr("Parhaat tulokset"));
    for (int place = 0; place < kPlaces; ++place) {
        const int top = place * kRowHeight;
        const QString number = QString::number(place + 1);
        Row& row = rivit[static_cast<size_t>(place)];
        row.sija = makeLabel(taulukko, QStringLiteral("sija") + number, QRect(8, top, 33, 19),
                             number + QLatin1Char('.'), false, right);
        row.sija->setAccessibleName(
            QCoreApplication::translate("Ennatykset", "%1. sija").arg(number));
        row.nimi =
            makeLabel(taulukko, QStringLiteral("nimi") + number, QRect(48, top, 193, 19), {});
        // One line, cut with an ellipsis: a long name must not run into the next row.
        row.nimi->setWordWrap(false);
        row.paino = makeLabel(taulukko, QStringLiteral("paino") + number, QRect(248, top, 73, 19),
                              {}, false, right);
        row.kaloja = makeLabel(taulukko, QStringLiteral("kaloja") + number, QRect(328, top, 57, 19),
                               {}, false, right);
        taulukko->addRow({row.sija, row.nimi, row.paino, row.kaloja});
    }
    // The places need no heading: each says itself which place it is.
    taulukko->setColumnHeadings({nullptr, otsikko_nimi, otsikko_paino, otsikko_kaloja});
    // The window opens on the table, whose rows a reader hears as they come in.
    taulukko->setFocus();
    tyhja = makeLabel(this, QStringLiteral("tyhja"), QRect(48, kFirstRowTop, 337, 41), {});

    Line1 =
        new Line(this, QStringLiteral("Line1"), QPoint(0, 308), QPoint(kWidth, 308), 2, look::cyan);
    otsikko_ahven = makeLabel(this, QStringLiteral("otsikko_ahven"), QRect(8, 318, 113, 19),
                              tr("Suurin ahven:"), true);
    ahven = makeLabel(this, QStringLiteral("ahven"), QRect(128, 318, 257, 19), {});
    ahven->setWordWrap(false);
    otsikko_hauki = makeLabel(this, QStringLiteral("otsikko_hauki"), QRect(8, 342, 113, 19),
                              tr("Suurin hauki:"), true);
    hauki = makeLabel(this, QStringLiteral("hauki"), QRect(128, 342, 257, 19), {});
    hauki->setWordWrap(false);
    // Beside "Pois", in up to three lines.
    ohitetut = new Label(this, QStringLiteral("ohitetut"), QRect(8, 370, 209, 50), {},
                         look::arial(8.25), look::cyan, Qt::AlignLeft | Qt::AlignVCenter);
    ohitetut->setWordWrap(true);

    Command1 = new QPushButton(tr("Pois"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(224, 376, 161, 33);
    Command1->setFont(look::systemFont(8.25));
    Command1->setAccessibleName(tr("Pois"));
    Command1->setAccessibleDescription(tr("Sulkee ennätykset"));

    setEscapeButton(Command1);
    connect(Command1, &QPushButton::clicked, this, &Ennatykset::on_Command1_clicked);
}

void Ennatykset::load() {
    showReading();
    auto* reader = new RecordsReader(resultFolders(context().appPath), kPlaces, this);
    connect(reader, &RecordsReader::finished, this, &Ennatykset::fill);
}

void Ennatykset::showReading() {
    for (const Row& row : rivit) {
        for (Label* cell : {row.sija, row.nimi, row.paino, row.kaloja}) {
            cell->hide();
        }
    }
    setText(tyhja, tr("Luetaan tuloksia…"));
    tyhja->show();
    taulukko->setAccessibleDescription(tyhja->text());
    taulukko->rowsChanged();
    ahven->hide();
    hauki->hide();
    ohitetut->hide();
}

void Ennatykset::fill(const Records& records) {
    const int count = static_cast<int>(records.best.size());
    for (int place = 0; place < kPlaces; ++place) {
        const Row& row = rivit[static_cast<size_t>(place)];
        const bool used = place < count;
        for (Label* cell : {row.sija, row.nimi, row.paino, row.kaloja}) {
            cell->setVisible(used);
        }
        if (!used) {
            continue;
        }
        const SavedResult& result = records.best[static_cast<size_t>(place)];
        setName(row.nimi, result.name);
        row.paino->setText(QString::number(result.total) + QLatin1Char('g'));
        row.paino->setAccessibleName(gramsSpoken(result.total));
        row.kaloja->setText(QString::number(result.fish));
        row.kaloja->setAccessibleName(fishSpoken(result.fish));
    }
    setText(tyhja, tr("Tuloksia ei ole vielä tallennettu."));
    tyhja->setVisible(count == 0);
    taulukko->setAccessibleDescription(count == 0 ? tyhja->text() : QString());
    taulukko->rowsChanged();
    setBigFish(ahven, records.perch);
    setBigFish(hauki, records.pike);
    ahven->show();
    hauki->show();
    if (records.skipped > 0) {
        setText(ohitetut, skippedFiles(records.skipped));
    }
    ohitetut->setVisible(records.skipped > 0);
}

void Ennatykset::on_Command1_clicked() {
    emit closed();
}
