#include "TalkFixture.h"
#include "FileBytes.h"

#include "platform/PressGuard.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>

TalkFixture::TalkFixture()
{
    static const bool styled = [] {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        return true;
    }();
    Q_UNUSED(styled);
    wave.clock = &clock;
}

TalkFixture::~TalkFixture() = default;

QString TalkFixture::filePath(const QString &name) const
{
    return QDir(dir.path()).filePath(name);
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
    clock.advance(kUserPauseMs);
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

FlexGrid *TalkFixture::grid(const char *name) const
{
    return talk->findChild<FlexGrid *>(QString::fromLatin1(name));
}

QPushButton *TalkFixture::button(const char *name) const
{
    return talk->findChild<QPushButton *>(QString::fromLatin1(name));
}

TextBox *TalkFixture::text() const
{
    return talk->txtTalk;
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
    const QString text = box.text();
    if (text.isEmpty())
        return text;
    const int end = box.selStart() + box.selLength();
    if (box.selLength() == 0)
        return text.left(end) + u'|' + text.mid(end);
    return text.left(box.selStart()) + u'[' + text.mid(box.selStart(), box.selLength()) + u']' +
           text.mid(end);
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
