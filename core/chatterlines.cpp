#include "core/chatterlines.h"

#include "core/chatterlines_table.h"
#include "core/fishinggame.h"

#include <QCoreApplication>
#include <iterator>

namespace chatter {
namespace {

// The model rolls among the lines there are clips for.
static_assert(std::size(kTable) == fishing::kChatterLines);

const TableLine* find(int line) {
    if (line < 1 || line > int(std::size(kTable))) {
        return nullptr;
    }
    return &kTable[line - 1];
}

} // namespace

QString caption(int line) {
    const TableLine* found = find(line);
    return found ? QCoreApplication::translate("chatter", found->text) : QString();
}

int lengthMs(int line) {
    const TableLine* found = find(line);
    return found ? found->ms : 0;
}

QString voiceFile(int line) {
    const TableLine* found = find(line);
    return found ? QString::fromLatin1(found->file) : QString();
}

} // namespace chatter
