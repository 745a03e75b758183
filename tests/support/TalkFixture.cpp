#include "TalkFixture.h"
#include "FileBytes.h"

#include "platform/FlexGrid.h"
#include "platform/PressGuard.h"
#include "platform/TextBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

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
