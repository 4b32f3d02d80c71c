#pragma once
// Physical and numerical constants shared by every calculator. The
// calculators compute with these exact decimal values, and the calculation
// report shows them as they are.
namespace dralun {

inline constexpr double kG = 9.80665;     // acceleration of gravity, m/s²
inline constexpr double kNu = 1.31e-6;    // kinematic viscosity of water at about 10 °C, m²/s
inline constexpr double kPi = 3.141592654; // π to ten digits, as the formulas of the guidelines use it

} // namespace dralun
