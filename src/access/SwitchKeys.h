#pragma once

#include <QList>
#include <QString>

// Which keys may be a switch, and their names as stored ("Space, 1": QKeySequence's portable
// text). The program injects arrows and Shift itself, Esc is the way out of scanning, and
// Backspace and Tab edit or move focus: none of them may be a switch.
namespace SwitchKeys {
// Why `key` cannot be a switch, or nullptr when it can.
const char16_t *refusal(int key);
// The keys `names` holds, in order, without those refused, unknown or repeated.
QList<int> parse(const QString &names);
QString names(const QList<int> &keys);
// For matching: the keypad's Enter is the Return key.
int normalised(int key);
} // namespace SwitchKeys
