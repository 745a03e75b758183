#include "voice/EngineFiles.h"

#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

EngineFiles EngineFiles::debian()
{
    const QString found = QStandardPaths::findExecutable(u"open_jtalk"_s);
    return {found.isEmpty() ? u"/usr/bin/open_jtalk"_s : found,
            u"/var/lib/mecab/dic/open-jtalk/naist-jdic"_s,
            u"/usr/share/hts-voice/nitech-jp-atr503-m001/nitech_jp_atr503_m001.htsvoice"_s};
}

QString EngineFiles::missingPackage() const
{
    const QFileInfo programFile(program);
    if (!programFile.isFile() || !programFile.isExecutable())
        return u"open-jtalk"_s;
    if (!QFileInfo(dictionary + u"/sys.dic"_s).isReadable())
        return u"open-jtalk-mecab-naist-jdic"_s;
    if (!QFileInfo(voice).isReadable())
        return u"hts-voice-nitech-jp-atr503-m001"_s;
    return {};
}
