#pragma once
// The pipe data files of the installation medium: the nominal diameters
// (DN.ASC) and the part-filling tables of the circular, mouth and egg
// profiles (A110KR.ASC, A110MA.ASC, A110EI.ASC).
//
// A part-filling table gives, for a fill ratio Q/Qv, the velocity ratio v/vv
// and the relative depth h/H (h/D for the circle) of uniform flow in a
// partly filled profile. Both ratios come from Prandtl-Colebrook applied to
// the part-full section with its hydraulic diameter 4R in place of D.
#include <string>
#include <vector>

#include "generators/DataFile.h"

namespace dralun::gen {

// A circular arc of an outline: centre (cx, cy), radius r, from angle a to
// angle b (radians, counter-clockwise, both within [-pi/2, pi/2], so that
// the height rises with the angle).
struct Arc {
    double cx, cy, r, a, b;
};

// A profile symmetric about its vertical axis, invert at (0, 0), crown at
// (0, height); the right half of its outline as arcs from the invert up.
struct Profile {
    std::string name;
    double width = 0;
    double height = 0;
    std::vector<Arc> rightHalf;
};

// Circle of diameter d.
Profile CircleProfile(double d);
// Standard mouth profile, width : height = 2 : 1.5, for width b = 2r: crown a
// semicircle of radius r above the springing line at height r/2; invert an
// arc of radius 2r; between them side arcs of radius 3r/8 tangent to both.
Profile MouthProfile(double b);
// Standard egg profile, width : height = 2 : 3, for width b = 2r: crown a
// semicircle of radius r about the centre at height 2r; invert an arc of
// radius r/2; sides arcs of radius 3r tangent to both.
Profile EggProfile(double b);

struct Section {
    double area = 0;            // m²
    double wettedPerimeter = 0; // m
};

// Flow area and wetted perimeter of a profile filled to depth h (0 at or
// below the invert, the full section at or above the crown).
Section SectionAt(const Profile& profile, double h);

// The pipe for which the part-filling ratios are worked out. They depend on
// it only weakly (through the Reynolds number and the relative roughness).
struct ReferencePipe {
    double slope;   // J, m/m
    double kbMm;    // operational roughness, mm
};

// Mean velocity of uniform flow after Prandtl-Colebrook, m/s, with the
// hydraulic diameter 4R = 4A/U of the section:
// v = -2 log10(2.51 nu / (4R sqrt(2 g 4R J)) + kb / (3.71 4R)) sqrt(2 g 4R J).
double Velocity(const Section& section, const ReferencePipe& pipe);
// Discharge Q = v A, m³/s; 0 for an empty section.
double Discharge(const Profile& profile, double h, const ReferencePipe& pipe);

// Depth of the largest part-full discharge (a little below the crown).
double DepthOfLargestDischarge(const Profile& profile, const ReferencePipe& pipe);

struct PartFillingRow {
    double fill;     // Q/Qv, exactly i / 100 in row i
    double velocity; // v/vv
    double depth;    // h/H
};

// Rows 1 to 100: for Q/Qv = i / 100 the lower of the depths that carry it
// (on the rising branch below the largest discharge), with v/vv there.
std::vector<PartFillingRow> PartFillingRows(const Profile& profile, const ReferencePipe& pipe);

// The four files as they go onto the installation medium.
std::vector<DataFile> PipeDataFiles();

} // namespace dralun::gen
