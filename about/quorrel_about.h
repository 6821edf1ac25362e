#pragma once
// quorrel's about box.

#include "about.h"

namespace about {

class QuorrelAbout final : public About {
  public:
    explicit QuorrelAbout(const rt::ProgramInfo& info);

    // clang-format off
    rt::CommandButton cmdOK{*this, "cmdOK", {2880, 2160, 1260, 345}, {.caption = "OK", .tabIndex = 0}};
    // clang-format on

  private:
    void cmdOK_Click();
};

}  // namespace about
