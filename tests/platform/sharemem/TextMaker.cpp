#include "platform/sharemem/ShareMem.h"

extern "C" sharemem::PText MakeText(const char* text) { return sharemem::NewText(text); }
