#pragma once

#include "page.h"
#include "reading/reader.h"

namespace web {

class WebPlatform;

// Presents what the reader works out on the page: each control's role,
// name, state and place for the accessibility tree, the reading order as
// the order of the elements, and every message in the live region on its
// own. A panel coming to the front takes the focus, which reads its title.
class WebReading final : public reading::Presenter {
 public:
  WebReading(Page& page, WebPlatform& platform) : page_(page), platform_(platform) {}

  void formRead(forms::Form& form, const std::vector<int>& order,
                const std::vector<reading::ControlReading>& readings) override;
  void controlRead(forms::Form& form, int slot, const reading::ControlReading& before,
                   const reading::ControlReading& now) override;
  void windowFront(forms::Form& form, std::string_view title, const std::vector<std::string>& texts) override;
  void say(forms::Form& form, const std::vector<std::string>& messages) override;

 private:
  Page& page_;
  WebPlatform& platform_;
};

}  // namespace web
