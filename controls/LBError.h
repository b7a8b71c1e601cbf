// The run-time errors the list box raises for bad values and indices, as a
// typed exception that carries the host's error number.
#pragma once

#include <stdexcept>

class LBError : public std::runtime_error {
  public:
    enum Number : int {
        InvalidPropertyValue = 380,       // ListIndex, TopIndex out of range
        InvalidPropertyArrayIndex = 381,  // RemoveItem, ItemText/ItemData/ItemStringData index
    };
    explicit LBError(Number number)
        : std::runtime_error(number == InvalidPropertyValue ? "Invalid property value"
                                                            : "Invalid property array index"),
          m_number(number) {}
    Number number() const { return m_number; }

  private:
    Number m_number;
};
