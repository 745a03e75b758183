#include "app/frmOPT.h"

#include "app/frmTalk.h"

frmOPT::frmOPT(frmTalk &talk) : QDialog(&talk), m_talk(talk) {}

frmOPT::~frmOPT() = default;

void frmOPT::Form_Load() {}

void frmOPT::cmdOK_Click(int) {}
