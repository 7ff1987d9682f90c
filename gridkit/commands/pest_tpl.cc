// The pest-tpl command: a PEST template of a return-flow table or a parameter file.
#include "gridkit/commands/pest_tpl.h"

#include <ostream>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/pest_template.h"
#include "gridkit/option_cursor.h"

namespace gridkit {

int run_pest_template(const std::vector<std::string>& args, std::ostream& out,
                      std::ostream& /*err*/) {
  std::string input;
  std::string output;
  std::vector<TemplateParameter> parameters;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      output = cursor.value();
    } else if (name == "--param") {
      parameters.push_back(parse_template_parameter(cursor.value()));
    } else {
      cursor.refuse_unknown_option();
      if (!input.empty()) {
        throw Failure("pest-tpl takes one file: pest-tpl FILE --param NAME=AREA:WHAT -o OUT.tpl");
      }
      input = cursor.argument();
    }
  });
  if (input.empty()) throw Failure("pest-tpl needs a return-flow table or a parameter file");
  if (parameters.empty()) throw Failure("pest-tpl needs at least one --param NAME=AREA:WHAT");
  if (output.empty()) throw Failure("pest-tpl needs an output file: -o OUT.tpl");
  std::string text;
  read_input_file(input, text);
  write_output_file(output, corvane_input_template(text, parameters));
  out << "gridkit: " << output << ": template of " << input << " with " << parameters.size()
      << " parameter" << (parameters.size() == 1 ? "" : "s") << "\n";
  return 0;
}

extern constinit const Command kPestTplCommand{
    "pest-tpl", "pest-tpl FILE --param NAME=AREA:WHAT ... -o OUT.tpl",
    "a PEST template of a return-flow table (WHAT: YYYYMM or YYYY)\n"
    "or a parameter file (WHAT: x, y or acres of a point area)",
    "A PEST template of a return-flow table or of a parameter file.\n"
    "  --param NAME=AREA:WHAT  a parameter NAME in place of AREA's value WHAT: a month\n"
    "                          YYYYMM or a year YYYY of a table, or x, y or acres of\n"
    "                          a point area of a parameter file; given once a parameter\n"
    "  -o, --output OUT        the template to write\n",
    run_pest_template};

}  // namespace gridkit
