#pragma once

#include <string>

// The toolbar strip as the commands see it: the live state of its combo
// boxes and its layout.
class ToolbarView {
 public:
  virtual ~ToolbarView() = default;

  // Position of the selected entry in the list of the combo box made for
  // control object `combo_name`; -1 when there is no such combo box or
  // nothing is selected.
  virtual int SelectedComboIndex(const std::string& combo_name) = 0;

  // Lays the controls out again after their properties changed.
  virtual void Relayout() = 0;
};
