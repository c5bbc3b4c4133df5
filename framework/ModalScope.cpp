#include "framework/ModalScope.h"

namespace {
int g_open = 0;
}  // namespace

ModalScope::ModalScope() { ++g_open; }
ModalScope::~ModalScope() { --g_open; }
int ModalScope::OpenCount() { return g_open; }
