#pragma once

#include <QWidget>

class QPushButton;

// Shown while the call chime rings: the whole screen says "呼び出し中" (a carer in the room
// sees it even without sound) and is one large "止める". It is modal, so nothing behind it is
// pressed, scanned or dwelt on while it shows.
class CallScreen : public QWidget
{
    Q_OBJECT

  public:
    explicit CallScreen(QWidget *owner);

    QPushButton *cmdStop = nullptr;
};
