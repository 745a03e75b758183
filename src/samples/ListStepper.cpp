#include "samples/ListStepper.h"

#include "app/frmTalk.h"

ListStepper::ListStepper(frmTalk &talk) : m_talk(talk) {}

ListStepper::~ListStepper() = default;
