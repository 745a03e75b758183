#include "transfer/DailyCopy.h"

#include "platform/SettingsStore.h"
#include "transfer/DataKinds.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString kFolder = u"backups"_s;
const QString kToldKey = u"FailureTold"_s;
} // namespace

DailyCopy::DailyCopy(QString dataDir, SettingsStore &store, TextFile::Disk &disk)
    : m_dataDir(QDir::fromNativeSeparators(std::move(dataDir))), m_store(store), m_disk(disk)
{
}

QString DailyCopy::run(const QDate &today)
{
    const QString folder = QDir(m_dataDir).filePath(kFolder + u'/' + today.toString(Qt::ISODate));
    const bool told = m_store.read(kToldKey, u"0"_s) == u"1"_s;
    if (!copy(folder)) {
        if (told)
            return {};
        m_store.write(kToldKey, u"1"_s);
        m_store.sync();
        return TransferTexts::text(TransferTexts::kDailyCopyFailed) +
               QDir::toNativeSeparators(folder);
    }
    if (told) {
        m_store.write(kToldKey, u"0"_s);
        m_store.sync();
    }
    pruneOld();
    return {};
}

bool DailyCopy::copy(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QStringList names = DataKinds::textFiles(m_dataDir);
    for (const QString &name : names) {
        // A copy made earlier today stays: it is the day's first state.
        const QString target = QDir(folder).filePath(name);
        if (QFile::exists(target))
            continue;
        QFile source(QDir(m_dataDir).filePath(name));
        if (!source.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = source.readAll();
        if (bytes.size() != source.size() || !TextFile::writeBytes(target, bytes, m_disk))
            return false;
    }
    return true;
}

void DailyCopy::pruneOld()
{
    static const QRegularExpression day(u"^\\d{4}-\\d{2}-\\d{2}$"_s);
    QDir backups(QDir(m_dataDir).filePath(kFolder));
    QStringList days = backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    days.removeIf([](const QString &name) { return !day.match(name).hasMatch(); });
    while (days.size() > kKeptDays)
        QDir(backups.filePath(days.takeFirst())).removeRecursively();
}
