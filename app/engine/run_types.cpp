#include "app/engine/run_types.h"

bool g_bCancel = false;

CRunner::CRunner(CWorker* worker) : m_pWorker(worker) {
  if (m_pWorker != nullptr) m_pWorker->OnBegin();
}

CRunner::~CRunner() {
  if (m_pWorker != nullptr) m_pWorker->OnEnd();
}
