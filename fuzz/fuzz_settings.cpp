// Any stored texts: loading keeps every number in its domain and never crashes.
#include "access/AccessSettings.h"
#include "access/SwitchKeys.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/SettingsStore.h"

#include <QMap>

using namespace Qt::Literals::StringLiterals;
#include <cstdlib>

namespace {
class BytesStore final : public SettingsStore
{
  public:
    QString read(const QString &key, const QString &def) const override
    {
        return values.value(key, def);
    }
    void write(const QString &key, const QString &value) override { values.insert(key, value); }
    bool sync() override { return true; }
    QMap<QString, QString> values;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    BytesStore store;
    int i = 0;
    for (const Settings::Key &key : Settings::kKeys) {
        if (i < parts.size())
            store.values.insert(QString::fromUtf16(key.name), QString::fromUtf8(parts[i]));
        ++i;
    }
    Options state;
    Settings::load(state, store);
    if (state.gMaxC < 9 || state.gMaxC > 29 || state.gMaxC == 10)
        abort();
    if (state.gSample < 1 || state.gSample > 5)
        abort();
    (void)state.opt1();
    (void)state.opt2();
    (void)state.opt3();

    // The parts after the eight OPT values fill the ACCESS section.
    BytesStore access;
    for (const AccessSettings::Key &key : AccessSettings::kKeys) {
        if (i < parts.size())
            access.values.insert(QString::fromUtf16(key.name), QString::fromUtf8(parts[i]));
        ++i;
    }
    for (const char16_t *name : {u"SwitchAKeys", u"SwitchBKeys"}) {
        if (i < parts.size())
            access.values.insert(QString::fromUtf16(name), QString::fromUtf8(parts[i]));
        ++i;
    }
    const AccessSettings read = AccessSettings::read(access);
    // Every switch has a key, none a refused one, and no key serves both switches.
    const QList<int> a = read.switchAKeyCodes();
    const QList<int> b = read.switchBKeyCodes();
    if (a.isEmpty() || b.isEmpty() || SwitchKeys::parse(SwitchKeys::names(a)) != a ||
        SwitchKeys::parse(read.switchBKeys) != b)
        abort();
    for (int key : a + b)
        if (SwitchKeys::refusal(key) || (b.contains(key) && a.contains(key)))
            abort();
    for (const AccessSettings::Key &key : AccessSettings::kKeys)
        if (read.*key.field < key.lowest || read.*key.field > key.highest)
            abort();
    if (read.effectiveIgnoreMs() * 2 >= read.scanStepMs)
        abort();
    // A selecting hold never rings the call.
    if (read.callHoldMs > 0 && read.callHoldMs < read.lowestCallHoldMs())
        abort();
    // The call key: any stored text reads as one key that is no switch's, or as none when
    // the default key is a switch's too.
    if (i < parts.size())
        access.values.insert(u"CallKey"_s, QString::fromUtf8(parts[i]));
    const int call = AccessSettings::read(access).callKeyCode();
    const bool defaultTaken = (a + b).contains(int(Qt::Key_F12));
    if ((a + b).contains(call) || (call == Qt::Key_unknown && !defaultTaken))
        abort();
    return 0;
}
