#include "diary/DiaryScreen.h"

#include "app/frmTalk.h"

DiaryScreen::DiaryScreen(frmTalk &talk) : m_talk(talk) {}

DiaryScreen::~DiaryScreen() = default;
