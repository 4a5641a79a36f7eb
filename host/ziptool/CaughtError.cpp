#include "host/ziptool/CaughtError.h"

#include "platform/rtl/Exceptions.h"

#include <exception>
#include <new>

namespace host {

std::string CaughtError(const std::function<std::string()>& work) {
    try {
        return work();
    } catch (const rtl::Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        return e.what();
    }
}

} // namespace host
