#include "AccessFixture.h"
#include "SoundWindow.h"
#include "access/AccessLayer.h"
#include "access/CallBell.h"
#include "platform/TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTest>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

// Held switches as a real X server repeats them: the test runs itself again under a private
// Xvfb (TALK_XVFB_DISPLAY names its number; any free one otherwise) with the server's key
// repeat on, and holds keys with xdotool while the real window, on the real clock, follows.
class tst_xrepeat : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void held_data();
    void held();

  protected:
    // Counts the held keys' repeats (a release, marked or not) and the ringing screens shown.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease && watched == QApplication::focusWindow())
            ++m_releases;
        if (event->type() == QEvent::Show && watched->objectName() == u"frmCall"_s)
            ++m_rings;
        return false;
    }

  private:
    int m_releases = 0;
    int m_rings = 0;
};

void tst_xrepeat::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    // The server's defaults: the first repeat after 660 ms, then 25 a second.
    QCOMPARE(QProcess::execute(u"xset"_s, {u"r"_s, u"on"_s, u"r"_s, u"rate"_s, u"660"_s, u"25"_s}),
             0);
    qApp->installEventFilter(this);
}

void tst_xrepeat::held_data()
{
    QTest::addColumn<QString>("settings"); // "ACCESS" settings, "Key=value" words
    QTest::addColumn<QString>("holds");    // X key names, each held "/N" ms
    // How often the call rang, how deep the scan is, the text.
    QTest::addColumn<QString>("result"); // 1 1: the ringing screen's 止める lit
    QTest::newRow("switch A held 4 s calls, types nothing")
        << u"CallOn=1 ScanMode=1"_s << u"space/4000"_s << u"1 1 "_s;
    // A starts the scan with the board lit, B enters the board.
    QTest::newRow("selecting hold of 1 s: switches held 1.5 s select")
        << u"ScanMode=2 SwitchHoldMs=1000"_s << u"space/1500 Return/1500"_s << u"0 2 "_s;
    QTest::newRow("F12 held 2.5 s rings once, on through the hold")
        << u"CallOn=1"_s << u"F12/2500"_s << u"1 0 "_s;
}

void tst_xrepeat::held()
{
    QFETCH(QString, settings);
    QFETCH(QString, holds);
    SoundWindow w(SoundWindow::Voices::Recorded);
    MemorySettingsStore access;
    storeWords(access, settings);
    QVERIFY(w.show());
    w.talk->installAccess(access);
    const QStringList focus{u"windowfocus"_s, u"--sync"_s, QString::number(w.talk->winId())};
    QCOMPARE(QProcess::execute(u"xdotool"_s, focus), 0);
    QTRY_VERIFY(w.talk->isActiveWindow());
    QTest::qWait(500); // past the moment in which what has just appeared ignores presses
    m_releases = m_rings = 0;
    for (const QString &hold : holds.split(u' ')) {
        const QString key = hold.section(u'/', 0, 0);
        const int ms = hold.section(u'/', 1).toInt();
        QProcess xdotool;
        xdotool.start(u"xdotool"_s, {u"keydown"_s, key, u"sleep"_s, QString::number(ms / 1000.0),
                                     u"keyup"_s, key});
        QVERIFY(
            QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, ms + 10000));
        QCOMPARE(xdotool.exitCode(), 0);
        QTest::qWait(300); // the release settles and the polling sees it
    }
    qInfo("%d releases", m_releases);
    QVERIFY(m_releases > 5); // the server repeated the keys
    const ScanEngine *engine = w.talk->access()->engine();
    QTEST(u"%1 %2 %3"_s.arg(m_rings)
              .arg(engine ? engine->path().size() : 0)
              .arg(w.talk->txtTalk->text().remove(u'_')),
          "result");
    w.talk->access()->bell().stop();
}

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("TALK_XVFB")) {
        qputenv("TALK_XVFB", "1");
        qputenv("QT_QPA_PLATFORM", "xcb");
        const QByteArray display = qgetenv("TALK_XVFB_DISPLAY");
        QByteArrayList args{"xvfb-run",
                            display.isEmpty() ? QByteArray("-a") : QByteArray("-n" + display), "-s",
                            "-screen 0 1280x1024x24 -nolisten tcp"};
        for (int i = 0; i < argc; ++i)
            args.append(argv[i]);
        std::vector<char *> pointers;
        for (QByteArray &arg : args)
            pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        execvp("xvfb-run", pointers.data());
        qFatal("xvfb-run could not be started");
    }
    QApplication app(argc, argv);
    tst_xrepeat test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_xrepeat.moc"
