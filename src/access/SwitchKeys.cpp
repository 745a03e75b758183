#include "access/SwitchKeys.h"

#include "access/AccessTexts.h"

#include <QKeySequence>

namespace SwitchKeys {

// Whether the key's stored name reads back as the key: some keys (odd characters, control
// codes) have a blank name or one that reads as another key, and could not be kept.
static bool keepsItsName(int key)
{
    const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
    const QKeySequence read = QKeySequence::fromString(name.trimmed(), QKeySequence::PortableText);
    return read.count() == 1 && read[0].toCombined() == key;
}

const char16_t *refusal(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return AccessTexts::kArrowRefused;
    case Qt::Key_Shift:
        return AccessTexts::kShiftRefused;
    case Qt::Key_Escape:
        return AccessTexts::kEscapeRefused;
    case Qt::Key_Backspace:
        return AccessTexts::kBackspaceRefused;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return AccessTexts::kTabRefused;
    case 0:
    case Qt::Key_unknown:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return AccessTexts::kUnknownKeyRefused;
    default:
        return keepsItsName(key) ? nullptr : AccessTexts::kUnknownKeyRefused;
    }
}

int normalised(int key)
{
    return key == Qt::Key_Enter ? Qt::Key_Return : key;
}

QList<int> parse(const QString &names)
{
    const QKeySequence sequence =
        QKeySequence::fromString(names.trimmed(), QKeySequence::PortableText);
    QList<int> keys;
    for (int i = 0; i < sequence.count(); ++i) {
        // A switch is one plain key: "Ctrl+1" names no switch.
        const QKeyCombination combination = sequence[i];
        const int key = normalised(combination.key());
        if (combination.keyboardModifiers() == Qt::NoModifier && !refusal(key) &&
            !keys.contains(key))
            keys.append(key);
    }
    return keys;
}

QString names(const QList<int> &keys)
{
    // Qt's own writer, so that its reader gets the same keys back: a comma key joined with
    // a bare comma ("5,,") would read as no key at all. A sequence holds at most four keys,
    // as many as parse() can return.
    const QKeySequence sequence(keys.value(0), keys.value(1), keys.value(2), keys.value(3));
    return sequence.toString(QKeySequence::PortableText);
}

} // namespace SwitchKeys
