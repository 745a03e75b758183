#include "compose/EditPad.h"

#include "app/frmTalk.h"

EditPad::EditPad(frmTalk &talk) : m_talk(talk) {}

EditPad::~EditPad() = default;
