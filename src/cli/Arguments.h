#pragma once
// The words of one command after its name: positional arguments and
// "--name value" / "--name=value" options. Every command declares the
// options it knows; anything else is a usage error.
#include <map>
#include <string>
#include <vector>

struct OptionSpec {
    std::string name;  // without the leading "--"
    bool takesValue;
};

class Arguments {
  public:
    // Throws a usage error for an unknown option or a missing value. "--"
    // ends the options.
    Arguments(const std::vector<std::string>& words, const std::vector<OptionSpec>& specs);

    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    // The value of an option; null when it was not given.
    const std::string* Value(const std::string& name) const;
    // The options in the order they were given (name, value).
    const std::vector<std::pair<std::string, std::string>>& InOrder() const { return order_; }

  private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::vector<std::pair<std::string, std::string>> order_;
};

// Numbers typed for options; a value out of range or not a number is a
// bad-input error naming the option.
long long ParseInteger(const std::string& option, const std::string& text, long long low,
                       long long high);
