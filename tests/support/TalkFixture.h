#pragma once

#include "Fakes.h"
#include "app/frmTalk.h"
#include "core/AppState.h"
// The window's control types, which every test of the window reaches through it.
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QFrame>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The real main window on a temporary program folder with recording stand-ins for every
// platform service. Write files and settings first, then call create().
class TalkFixture
{
  public:
    TalkFixture();

    QString programDir() const { return dir.path(); }
    QString filePath(const QString &name) const { return dir.filePath(name); }
    // Writes raw bytes into the program folder.
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

    frmTalk &create();
    frmTalk &window() { return *talk; }

    FlexGrid *grid(const char *name) const
    {
        return talk->findChild<FlexGrid *>(QString::fromLatin1(name));
    }
    QPushButton *button(const char *name) const
    {
        return talk->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    TextBox *text() const { return talk->txtTalk; }
    // The composition with its caret written in: "あ[い]う" with い selected, "あ|いう" a plain
    // caret after あ; without either, a plain caret at the start.
    void setShown(const QString &shown) const;
    QString shown() const;
    // The pause a user makes between presses: the event loop runs and the clock moves on, so
    // a control that has just appeared takes the next press. create() pauses after the window
    // appears, click() and clickCell() before and after their press. It lasts a second.
    void userPause();
    // Presses and releases a button with the mouse.
    void click(const char *name);
    // Presses and releases the mouse on cell (row, col) of a grid.
    void clickCell(const char *grid, int row, int col);
    // Holds the button down until the event handling that follows the `waits`-th blocking wait,
    // where a user's release arrives; a press whose loop ends sooner is released after it.
    // clock.waits then holds the waits of this hold.
    void hold(QPushButton *button, int waits, Qt::MouseButton mouse = Qt::LeftButton);

    QTemporaryDir dir;
    FakeClock clock;
    ScriptedEventPump events;
    RecordingBeeper beeper;
    FakeClipboard clipboard;
    RecordingWaveDevice wave;
    MemorySettingsStore settings;
    RecordingBusyPointer busy;
    ScriptedAsker asker;
    AppState state;
    std::unique_ptr<frmTalk> talk;
};
