#include "cli/arguments.h"

namespace tivra::cli {

bool parseArguments(const std::vector<std::string>& arguments, std::span<const OptionSpec> options,
                    Arguments& out, std::string& error) {
    out = Arguments{};
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            out.operands.insert(out.operands.end(), arguments.begin() + static_cast<long>(i) + 1,
                                arguments.end());
            break;
        }
        if (argument == "-h" || argument == "--help") {
            out.help = true;
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            out.operands.push_back(argument);
            continue;
        }

        const OptionSpec* option = nullptr;
        std::string attached;  // a value written into the same argument
        bool hasAttached = false;
        if (argument[1] == '-') {
            const size_t equals = argument.find('=');
            const std::string_view name = std::string_view(argument).substr(2, equals - 2);
            for (const OptionSpec& o : options)
                if (o.longName == name) option = &o;
            if (equals != std::string::npos) {
                attached = argument.substr(equals + 1);
                hasAttached = true;
            }
        } else {
            for (const OptionSpec& o : options)
                if (o.shortName != 0 && o.shortName == argument[1]) option = &o;
            if (argument.size() > 2) {
                attached = argument.substr(2);
                hasAttached = true;
            }
        }
        if (option == nullptr || (hasAttached && !option->takesValue)) {
            error = "unknown option " + argument;
            return false;
        }
        std::string value;
        if (option->takesValue) {
            if (hasAttached) {
                value = attached;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                error = "option " + argument + " needs a value";
                return false;
            }
        }
        const std::string name(option->longName);
        if (out.has(name) && !option->repeatable) {
            error = "option --" + name + " given twice";
            return false;
        }
        out.values[name] = value;
        if (option->repeatable) out.repeated[name].push_back(value);
    }
    return true;
}

}  // namespace tivra::cli
