#include "record/VoiceReadings.h"
#include "voice/EngineTrace.h"
#include "voice/SpeechScript.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Mora = EngineTrace::Mora;

// What the engine is given for a text, and how its trace is traced back to the text.
class tst_speechscript : public QObject
{
    Q_OBJECT

  private slots:
    void parts_data();
    void parts();
    void sourcesOfReadings();
    void moraeFromTrace();
};

void tst_speechscript::parts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("spoken"); // one entry a part

    QTest::newRow("particles as written")
        << u"きょうはいいてんきですね"_s << QStringList{u"きょうはいいてんきですね"_s};
    QTest::newRow("end marker not said") << u"あい_"_s << QStringList{u"あい"_s};
    QTest::newRow("end marker alone: nothing") << u"_"_s << QStringList{};
    QTest::newRow("。？！ and line ends end a part")
        << u"はい。いいえ？\nまた!"_s << QStringList{u"はい。"_s, u"いいえ？"_s, u"また！"_s};
    QTest::newRow("emoticons by their readings")
        << u"ありがとう(^_^)(T_T)"_s << QStringList{u"ありがとうにこにこえーん"_s};
    QTest::newRow("letters by their readings, either case and width")
        << u"OKとｏｋ"_s << QStringList{u"おーけーとおーけー"_s};
    QTest::newRow("marks by their readings") << u"1+1@"_s << QStringList{u"1ぷらす1あっと"_s};
    QTest::newRow("small kana, っ and ー within words")
        << u"ちょっとコーヒー"_s << QStringList{u"ちょっとコーヒー"_s};
    QTest::newRow("a lone ー or small kana by its reading")
        << u"ー ゃ"_s << QStringList{u"のばす、ちいさい や"_s};
    QTest::newRow("a lone mark by its reading") << u"？"_s << QStringList{u"はてな"_s};
    QTest::newRow("digits and a decimal point as written")
        << u"2.5と3,000"_s << QStringList{u"2.5と3,000"_s};
    QTest::newRow("spaces: one short pause")
        << u"あさ　ひる  よる"_s << QStringList{u"あさ、ひる、よる"_s};
    QTest::newRow("a long first run cut at 、")
        << u"あいうえおかきくけこ、さしすせそたちつてとなにぬねの"_s
        << QStringList{u"あいうえおかきくけこ、"_s, u"さしすせそたちつてとなにぬねの"_s};
    QTest::newRow("a long first run cut after a particle")
        << u"わたしはきのうともだちとこうえんにいきました"_s
        << QStringList{u"わたしはきのうともだちと"_s, u"こうえんにいきました"_s};
    QTest::newRow("later runs up to 60 characters")
        << u"はい。"_s + QString(70, u'あ')
        << QStringList{u"はい。"_s, QString(60, u'あ'), QString(10, u'あ')};
}

void tst_speechscript::parts()
{
    QFETCH(QString, text);
    QStringList spoken;
    for (const SpeechScript::Part &part : SpeechScript::parts(text, VoiceReadings::builtIn()))
        spoken.append(part.spoken);
    QTEST(spoken, "spoken");
}

void tst_speechscript::sourcesOfReadings()
{
    // A reading stands for the whole mark; the second part starts after the first one's end.
    const QList<SpeechScript::Part> parts =
        SpeechScript::parts(u"あ。_(^_^)い"_s, VoiceReadings::builtIn());
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts[1].textStart, 2);
    using S = SpeechScript::Source;
    QCOMPARE(parts[1].sources, (QList<S>{{3, 5}, {3, 5}, {3, 5}, {3, 5}, {8, 1}}));
}

void tst_speechscript::moraeFromTrace()
{
    // The engine's trace of "きょうは12", its labels shortened to the fields that are read.
    const QString trace = uR"([Text analysis result]
きょう,名詞,副詞可能,*,*,*,*,きょう,キョウ,キョー,1/2,C3,-1
は,助詞,係助詞,*,*,*,*,は,ハ,ワ,0/1,名詞%F1/動詞%F2@0/形容詞%F2@0,1
十,名詞,数,*,*,*,*,十,ジュウ,ジュー,0/2,*,0
二,名詞,数,*,*,*,*,二,ニ,ニ,1/1,C3,0

[Output label]
0 3100000 xx^xx-sil+ky=o/A:xx+xx+xx/B:/F:xx_xx#xx_xx@xx_xx|xx_xx/G:
3100000 4300000 xx^sil-ky+o=o/A:0+1+3/B:/F:3_1#0_xx@1_3|1_6/G:
4300000 4950000 sil^ky-o+o=w/A:0+1+3/B:/F:3_1#0_xx@1_3|1_6/G:
4950000 5800000 ky^o-o+w=a/A:1+2+2/B:/F:3_1#0_xx@1_3|1_6/G:
5800000 6650000 o^o-w+a=j/A:2+3+1/B:/F:3_1#0_xx@1_3|1_6/G:
6650000 7150000 o^w-a+j=u/A:2+3+1/B:/F:3_1#0_xx@1_3|1_6/G:
7150000 8150000 w^a-j+u=u/A:-1+1+2/B:/F:2_2#0_xx@2_2|4_3/G:
8150000 8850000 a^j-u+u=n/A:-1+1+2/B:/F:2_2#0_xx@2_2|4_3/G:
8850000 9400000 j^u-u+n=i/A:0+2+1/B:/F:2_2#0_xx@2_2|4_3/G:
9400000 10000000 u^u-n+i=sil/A:0+1+1/B:/F:1_1#0_xx@3_1|6_1/G:
10000000 11100000 u^n-i+sil=xx/A:0+1+1/B:/F:1_1#0_xx@3_1|6_1/G:
11100000 16350000 n^i-sil+xx=xx/A:xx+xx+xx/B:/F:xx_xx#xx_xx@xx_xx|xx_xx/G:

[Global parameter]
)"_s;
    const EngineTrace read = EngineTrace::read(trace, u"きょうは12"_s);
    QCOMPARE(read.speechStartMs, 310);
    QCOMPARE(read.speechEndMs, 1110);
    // きょ is one mora; は said "wa" is still は; the number the engine spells out (十二) shares
    // the digits it was read from.
    QCOMPARE(read.morae,
             (QList<Mora>{
                 {310, 0, 2}, {495, 2, 1}, {580, 3, 1}, {715, 4, 1}, {885, 4, 1}, {940, 5, 1}}));
}

QTEST_GUILESS_MAIN(tst_speechscript)
#include "tst_speechscript.moc"
