#include "cli/process_options.h"

namespace hygrian::cli {

void AddProcessOptions(CLI::App& app, std::string_view kindOption, const std::string& kindHelp,
                       ProcessTexts& texts) {
  app.add_option(std::string(kindOption), texts.kind, kindHelp)->type_name("WORD");
  app.add_option("--flow-unit", texts.flowUnit,
                 "Flows in kg/s, kg/h, lb/h (of dry air), m3/s, m3/h, L/s or cfm (kg/s, or lb/h "
                 "with --units ip)")
      ->type_name("UNIT");
  app.add_option("--flow-basis", texts.flowBasis,
                 "A volume flow at the state where it is given, or at standard air (actual)")
      ->type_name("actual|standard");
  app.add_option("--load-unit", texts.loadUnit,
                 "Loads in kW, W, Btu/h, MBH or ton (kW, or Btu/h with --units ip)")
      ->type_name("UNIT");
}

}  // namespace hygrian::cli
