// The formula-one calculator window: the capacity of the socketed section alone, without the
// soil above the rock (clauses 5.3.7 to 5.3.9 of DBJ 50-200-2014).
#pragma once

#include "app/model/calculator_window.h"
#include "app/model/input_screen.h"

namespace pile {

class FormulaOneWindow : public CalculatorWindow {
  public:
    explicit FormulaOneWindow(Platform& platform);

  protected:
    void recordBooks(const PileInput& input, const PileResult& result,
                     const std::string& rockClassName) override;

  private:
    InputScreen m_input{*this};
};

}  // namespace pile
