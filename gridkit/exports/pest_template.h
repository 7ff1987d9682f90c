// A PEST template of a corvane input, with named parameters in place of its numbers. For a
// return-flow table, WHAT is a month (YYYYMM) or a year (YYYY, its every month): the area's flows
// of that month or year. For a parameter file, WHAT is x, y or acres: that field of the area's
// point AREA command.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// Where a parameter goes: the area (any case) and the month, year or point field.
struct TemplateParameter {
  std::string name;
  std::string area;
  std::string what;
};

// Width of each parameter field, delimiters included: room for a value of seven significant
// digits with its sign and exponent.
inline constexpr std::size_t kParameterFieldWidth = 16;

// Parses NAME=AREA:WHAT. Throws Failure when it is not of that form, or NAME is not a PEST name
// (1 to 12 characters, no blank, no '$').
TemplateParameter parse_template_parameter(std::string_view text);

// The template of the return-flow table `table`. Throws Failure when a parameter's area is not
// a column of the table, or its month matches no line, or two parameters claim one number.
std::string return_table_template(std::string_view table,
                                  const std::vector<TemplateParameter>& parameters);

// The template of the parameter file `params`. Throws Failure when a parameter's area is no
// point AREA command of the file, or two parameters claim one number.
std::string parameter_file_template(std::string_view params,
                                    const std::vector<TemplateParameter>& parameters);

// The template of the corvane input `text`: a return-flow table when the parameters name
// months or years, a parameter file when they name x, y or acres.
// REQUIRES: at least one parameter.
std::string corvane_input_template(std::string_view text,
                                   const std::vector<TemplateParameter>& parameters);

}  // namespace gridkit
