#pragma once
// Sets an environment variable of the test process; an empty value removes it.

#include <cstdlib>
#include <string>

namespace tivra::test {

inline void setVariable(const std::string& name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
#endif
}

}  // namespace tivra::test
