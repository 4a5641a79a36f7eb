#pragma once

#include <string>

// What the host tells about the session at this moment: who works and which project is open. The
// host program and its platform library each answer on their own; the Parts say which one to ask.
namespace tarnwick {

// VekGetCurUUID of the platform library.
std::string CurrentUserId();
// VekGetCurPrjSerial of the project library; empty when no project is open.
std::string OpenProjectSerial();
// GetCurUUID of the host program.
std::string HostProgramUserId();
// GetCurPrjSerial of the host program; empty when no project is open.
std::string HostProgramProjectSerial();

} // namespace tarnwick
