#include "program/terralevel.h"

namespace tl {

Terralevel::Terralevel(Window& window, MapSurface& surface, EventPump& pump,
                       ProcessLauncher& launcher, FsuipcTransport& transport, ProgramFolder folder,
                       NumberText numbers)
    : folder_(std::move(folder)),
      numbers_(numbers),
      errors_(window),
      client_(transport, [&window](const std::string& text) { window.showMessage(text); }),
      link_(client_, window),
      painter_(surface, areas_, path_, grid_, link_.fsConnected, window, pump, errors_, numbers_),
      reader_(client_, link_, aircraft_, window, numbers_, errors_),
      scale_(view_, reader_, aircraft_, surface, painter_, window, numbers_, errors_),
      tracker_(reader_, aircraft_, path_, surface, painter_, window, errors_),
      coverage_(window, errors_, folder_, numbers_),
      settings_(window, errors_, folder_, numbers_, grid_),
      areaFile_(window, errors_, folder_, numbers_, areas_, path_, surface),
      startup_(window, errors_, client_, view_, areas_, path_, surface, painter_,
               {settings_, areaFile_, coverage_}),
      capture_(window, errors_, folder_, numbers_, areas_, path_, aircraft_, reader_, painter_,
               surface),
      mouse_(surface, painter_, coverage_, window, numbers_, folder_, errors_),
      options_(window, grid_, areas_, path_, surface, painter_),
      build_(buildState_, folder_, numbers_, errors_, launcher, window),
      mainLoop_(window, pump, errors_, client_, link_, tracker_) {
    link_.attachMap(scale_);
}

}  // namespace tl
