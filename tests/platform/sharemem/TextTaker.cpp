#include "platform/sharemem/ShareMem.h"

extern "C" void TakeText(sharemem::PText text) { sharemem::Release(text); }

extern "C" void StoreText(sharemem::PText* var, const char* text) { sharemem::AssignVar(var, text); }
