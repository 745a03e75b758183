#pragma once

#include <QString>

class QWidget;

// Shows one large-type question and returns true for its first button.
// The application uses the real dialog; tests answer in advance.
class QuestionAsker
{
  public:
    virtual ~QuestionAsker() = default;
    virtual bool ask(const QString &prompt, int kind, const QString &title, QWidget *parent) = 0;
};
