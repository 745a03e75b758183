#include "TalkFixture.h"
#include "FileBytes.h"

#include "platform/PressGuard.h"

#include <QApplication>
#include <QStyle>

TalkFixture::TalkFixture()
{
    static const QStyle *style = QApplication::setStyle(QStringLiteral("Fusion"));
    Q_UNUSED(style);
    wave.clock = &clock;
}

void TalkFixture::writeFile(const QString &name, const QByteArray &bytes) const
{
    if (!FileBytes::write(filePath(name), bytes))
        qFatal("cannot write test file");
}

QByteArray TalkFixture::readFile(const QString &name) const
{
    return FileBytes::read(filePath(name));
}

void TalkFixture::userPause()
{
    // Only the press guard's own events: the others belong to the test's timing.
    QCoreApplication::sendPostedEvents(nullptr, PressGuard::eventsRunType());
    clock.advance(1000);
}

frmTalk &TalkFixture::create()
{
    talk = std::make_unique<frmTalk>(state,
                                     Services{clock, events, beeper, clipboard, wave, settings,
                                              busy, asker, ProgramFolders::portable(dir.path())});
    talk->show();
    if (!QTest::qWaitForWindowExposed(talk.get()))
        qWarning("window not exposed");
    userPause();
    return *talk;
}

void TalkFixture::setShown(const QString &shown) const
{
    const qsizetype open = shown.indexOf(u'[');
    talk->txtTalk->setText(QString(shown).remove(u'[').remove(u']').remove(u'|'));
    if (open < 0)
        talk->txtTalk->select(int(std::max<qsizetype>(shown.indexOf(u'|'), 0)), 0);
    else
        talk->txtTalk->select(int(open), int(shown.indexOf(u']') - open - 1));
}

QString TalkFixture::shown() const
{
    const TextBox &box = *talk->txtTalk;
    QString text = box.text();
    if (text.isEmpty())
        return text;
    if (box.selLength() == 0)
        return text.insert(box.selStart(), u'|');
    return text.insert(box.selStart() + box.selLength(), u']').insert(box.selStart(), u'[');
}

void TalkFixture::click(const char *name)
{
    QPushButton *b = button(name);
    if (!b)
        qFatal("no button %s", name);
    userPause();
    QTest::mouseClick(b, Qt::LeftButton);
    userPause();
}

void TalkFixture::clickCell(const char *gridName, int row, int col)
{
    FlexGrid *g = grid(gridName);
    if (!g)
        qFatal("no grid %s", gridName);
    const QRect cell = g->visualRect(g->model()->index(row, col));
    userPause();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    userPause();
}

void TalkFixture::hold(QPushButton *button, int waits, Qt::MouseButton mouse)
{
    bool released = false;
    events.beforeYield = [&] {
        if (released || clock.waits.size() < waits)
            return;
        released = true;
        QTest::mouseRelease(button, mouse);
    };
    clock.waits.clear();
    QTest::mousePress(button, mouse);
    events.beforeYield = nullptr;
    if (!released)
        QTest::mouseRelease(button, mouse);
}
