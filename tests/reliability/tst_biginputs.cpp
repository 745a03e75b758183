// Far more than daily use, where a smaller file cannot tell: 100,000 sentences and one of
// 40,000 characters are all loaded, listed, saved and read back.
#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/FlexGrid.h"
#include "samples/SampleFile.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

class tst_biginputs : public QObject
{
    Q_OBJECT

  private slots:
    void hundredThousandSamplesAndOneHugeLine();
};

void tst_biginputs::hundredThousandSamplesAndOneHugeLine()
{
    QStringList sentences;
    for (int i = 0; i < 100000; ++i)
        sentences << u"あいうえお日記"_s.mid(i % 7) + QString::number(i);
    sentences << QString(40000, u'ね');
    TalkFixture f;
    writeSamples(f, sentences);
    const QStringList lines = fileLines(f);
    frmTalk &w = f.create();
    QCOMPARE(w.grdEx->rows(), 100002);
    QCOMPARE(f.state.gSampleList.size(), 100002);
    QVERIFY(f.state.gSampleList.contains(sentences.last()));

    QVERIFY(SampleFile::SaveSamples(w));
    const QStringList back = fileLines(f);
    QCOMPARE(QSet<QString>(back.begin(), back.end()), QSet<QString>(lines.begin(), lines.end()));
    QCOMPARE(back.size(), lines.size());
}

QTEST_MAIN(tst_biginputs)
#include "tst_biginputs.moc"
