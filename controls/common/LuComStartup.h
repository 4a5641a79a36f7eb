#pragma once

// The control library starts COM for the thread that loads it and shuts it down when it is
// unloaded. The calls are counted, so that only the first start-up and the matching last
// shut-down reach COM.
namespace lu {

void ComStartupInitialize();
void ComStartupFinalize();
int ComStartupCount();

} // namespace lu
