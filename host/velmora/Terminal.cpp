#include "host/velmora/Terminal.h"

#include <iostream>

namespace velmora {

void Say(const std::string& who, const std::string& text) {
    std::cout << "[" << who << "] " << text << std::endl;
}

void Complain(const std::string& text) {
    std::cerr << "velmora: " << text << std::endl;
}

} // namespace velmora
