#include "boards/BoardEntry.h"

#include "app/frmTalk.h"

BoardEntry::BoardEntry(frmTalk &talk) : m_talk(talk) {}

BoardEntry::~BoardEntry() = default;
