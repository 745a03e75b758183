#include "samples/SampleScreen.h"

#include "app/frmTalk.h"

SampleScreen::SampleScreen(frmTalk &talk) : m_talk(talk) {}

SampleScreen::~SampleScreen() = default;
