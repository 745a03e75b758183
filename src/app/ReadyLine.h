#pragma once

#include <QObject>

class QWidget;

// Says once, on standard error, when the window first takes presses: "Talk: ready". That is
// after its first paint and after the moment in which a control that has just appeared ignores
// presses. Launchers and the package test wait for the line instead of guessing a time.
class ReadyLine final : public QObject
{
  public:
    explicit ReadyLine(QWidget *window);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
