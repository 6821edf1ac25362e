#pragma once
// English for a test, as a player who asks for it gets it: the programs'
// catalogues installed before the test's forms are made, and removed after.

#include <memory>
#include <string>
#include <vector>

namespace rt::testing {

class English {
  public:
    English();
    ~English();
    English(const English&) = delete;
    English& operator=(const English&) = delete;

    // Every text looked up meanwhile that no catalogue has, as "context: source".
    std::vector<std::string> untranslated() const;

  private:
    class Recorder;
    std::unique_ptr<Recorder> recorder_;
};

// Whether `text` has a letter of Slovak's own (á, ä, č, ...): one that
// English never needs.
bool HasSlovakLetters(const std::string& text);

}  // namespace rt::testing
