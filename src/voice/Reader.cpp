#include "voice/Reader.h"

#include "app/frmTalk.h"

Reader::Reader(frmTalk &talk) : m_talk(talk) {}

Reader::~Reader() = default;
