#include "voice/Voice.h"

#include "app/frmTalk.h"

Voice::Voice(frmTalk &talk) : m_talk(talk) {}

Voice::~Voice() = default;
