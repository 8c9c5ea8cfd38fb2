// The UTCI's operational polynomial (Broede et al. 2012, Int. J. Biometeorol.
// 56:481-494; the coefficients of its Fortran procedure UTCI_approx, version a
// 0.002, October 2009, quoted as published): UTCI = Ta + the sum of c Ta^i va^j
// dTmrt^k pa^l over i + j + k + l <= 6, with Ta in degrees C, va the wind at 10
// m (m/s), dTmrt = Tmrt - Ta (K) and pa the vapour pressure (kPa). Laid out in
// the order a nested Horner evaluation takes them: pa's powers from the 6th
// down, within each dTmrt's, then va's, then Ta's.
#pragma once

#include <array>

namespace hygrian::air::measures {

// clang-format off
inline constexpr std::array<double, 210> kUtciCoefficients = {{
    // pa^6 dTmrt^0 va^0: Ta^0 down to Ta^0
    1.48348065E-03,
    // pa^5 dTmrt^1 va^0: Ta^0 down to Ta^0
    2.47090539E-04,
    // pa^5 dTmrt^0 va^1: Ta^0 down to Ta^0
    1.04452989E-03,
    // pa^5 dTmrt^0 va^0: Ta^1 down to Ta^0
    -3.01859306E-03, 8.82773108E-02,
    // pa^4 dTmrt^2 va^0: Ta^0 down to Ta^0
    -9.77675906E-06,
    // pa^4 dTmrt^1 va^1: Ta^0 down to Ta^0
    -6.80434415E-06,
    // pa^4 dTmrt^1 va^0: Ta^1 down to Ta^0
    -4.11469183E-05, -1.48526421E-03,
    // pa^4 dTmrt^0 va^2: Ta^0 down to Ta^0
    1.02449757E-04,
    // pa^4 dTmrt^0 va^1: Ta^1 down to Ta^0
    -5.13027851E-04, 3.55375387E-03,
    // pa^4 dTmrt^0 va^0: Ta^2 down to Ta^0
    1.33374846E-03, -6.16755931E-02, 6.14155345E-01,
    // pa^3 dTmrt^3 va^0: Ta^0 down to Ta^0
    -4.09087898E-07,
    // pa^3 dTmrt^2 va^1: Ta^0 down to Ta^0
    1.73825715E-06,
    // pa^3 dTmrt^2 va^0: Ta^1 down to Ta^0
    -4.77403547E-06, 3.02122035E-04,
    // pa^3 dTmrt^1 va^2: Ta^0 down to Ta^0
    -6.31223658E-06,
    // pa^3 dTmrt^1 va^1: Ta^1 down to Ta^0
    2.53458034E-05, -7.96355448E-04,
    // pa^3 dTmrt^1 va^0: Ta^2 down to Ta^0
    -5.45314314E-09, 3.80261982E-04, -2.26921615E-03,
    // pa^3 dTmrt^0 va^3: Ta^0 down to Ta^0
    3.33217140E-05,
    // pa^3 dTmrt^0 va^2: Ta^1 down to Ta^0
    -6.66724702E-05, 2.17508610E-04,
    // pa^3 dTmrt^0 va^1: Ta^2 down to Ta^0
    1.45389826E-04, -4.32943862E-03, 4.53433455E-02,
    // pa^3 dTmrt^0 va^0: Ta^3 down to Ta^0
    -2.63917279E-04, 1.55126038E-02, -2.21201190E-01, -3.53874123E-02,
    // pa^2 dTmrt^4 va^0: Ta^0 down to Ta^0
    3.23926897E-09,
    // pa^2 dTmrt^3 va^1: Ta^0 down to Ta^0
    2.67489271E-08,
    // pa^2 dTmrt^3 va^0: Ta^1 down to Ta^0
    1.68737969E-07, -4.36497725E-06,
    // pa^2 dTmrt^2 va^2: Ta^0 down to Ta^0
    -3.59937910E-08,
    // pa^2 dTmrt^2 va^1: Ta^1 down to Ta^0
    -5.47446896E-07, 7.68023384E-06,
    // pa^2 dTmrt^2 va^0: Ta^2 down to Ta^0
    1.16257971E-06, -6.42070836E-05, 3.04788893E-04,
    // pa^2 dTmrt^1 va^3: Ta^0 down to Ta^0
    2.29748967E-07,
    // pa^2 dTmrt^1 va^2: Ta^1 down to Ta^0
    3.61341136E-06, -1.06823306E-04,
    // pa^2 dTmrt^1 va^1: Ta^2 down to Ta^0
    -7.01199003E-06, 2.63789586E-04, -2.66016305E-04,
    // pa^2 dTmrt^1 va^0: Ta^3 down to Ta^0
    -7.14663943E-07, 8.99281156E-05, -4.32510997E-03, 5.14507424E-02,
    // pa^2 dTmrt^0 va^4: Ta^0 down to Ta^0
    -3.04620472E-06,
    // pa^2 dTmrt^0 va^3: Ta^1 down to Ta^0
    -1.27043871E-05, 4.17856590E-04,
    // pa^2 dTmrt^0 va^2: Ta^2 down to Ta^0
    2.30109073E-05, -6.98445738E-04, 2.10787756E-03,
    // pa^2 dTmrt^0 va^1: Ta^3 down to Ta^0
    -1.90710882E-05, 4.95271903E-04, 1.16952364E-02, -3.08806365E-01,
    // pa^2 dTmrt^0 va^0: Ta^4 down to Ta^0
    1.93090978E-05, -9.54009191E-04, -3.99428410E-03, 5.48712484E-01, -2.80626406E+00,
    // pa^1 dTmrt^5 va^0: Ta^0 down to Ta^0
    -1.15606447E-10,
    // pa^1 dTmrt^4 va^1: Ta^0 down to Ta^0
    3.34678041E-10,
    // pa^1 dTmrt^4 va^0: Ta^1 down to Ta^0
    -1.18566247E-09, 3.94367674E-08,
    // pa^1 dTmrt^3 va^2: Ta^0 down to Ta^0
    1.62897058E-09,
    // pa^1 dTmrt^3 va^1: Ta^1 down to Ta^0
    7.96079978E-09, -4.79768731E-07,
    // pa^1 dTmrt^3 va^0: Ta^2 down to Ta^0
    -1.89309167E-08, 7.04388046E-07, -3.59413173E-07,
    // pa^1 dTmrt^2 va^3: Ta^0 down to Ta^0
    -3.95079398E-08,
    // pa^1 dTmrt^2 va^2: Ta^1 down to Ta^0
    -1.72857035E-08, 2.53016723E-06,
    // pa^1 dTmrt^2 va^1: Ta^2 down to Ta^0
    1.14325367E-07, -5.06004592E-06, 2.77862930E-05,
    // pa^1 dTmrt^2 va^0: Ta^3 down to Ta^0
    -8.75492040E-08, 4.80925239E-06, -1.87381964E-05, -7.32469180E-04,
    // pa^1 dTmrt^1 va^4: Ta^0 down to Ta^0
    2.20609296E-07,
    // pa^1 dTmrt^1 va^3: Ta^1 down to Ta^0
    -7.38584400E-09, -1.24382300E-05,
    // pa^1 dTmrt^1 va^2: Ta^2 down to Ta^0
    -7.10542454E-07, 3.28696511E-05, -3.59217476E-05,
    // pa^1 dTmrt^1 va^1: Ta^3 down to Ta^0
    5.15916806E-07, -9.13863872E-06, -6.87405181E-04, 8.64203390E-03,
    // pa^1 dTmrt^1 va^0: Ta^4 down to Ta^0
    -4.77136523E-08, 2.59835559E-06, -3.14279680E-05, 1.62325322E-03, -3.69476348E-02,
    // pa^1 dTmrt^0 va^5: Ta^0 down to Ta^0
    -2.28558686E-06,
    // pa^1 dTmrt^0 va^4: Ta^1 down to Ta^0
    1.29064870E-06, 1.29735808E-04,
    // pa^1 dTmrt^0 va^3: Ta^2 down to Ta^0
    2.34994441E-06, -1.79330391E-04, -1.25813502E-03,
    // pa^1 dTmrt^0 va^2: Ta^3 down to Ta^0
    -1.81748644E-06, 1.00601257E-06, 5.00845667E-03, -4.29223622E-02,
    // pa^1 dTmrt^0 va^1: Ta^4 down to Ta^0
    9.52692432E-07, -5.16670694E-06, -1.64119440E-03, -3.30552823E-03, 5.48050612E-01,
    // pa^1 dTmrt^0 va^0: Ta^5 down to Ta^0
    -4.66426341E-07, 9.51738512E-06, 9.99690870E-04, -1.96701861E-02, -3.12788561E-01, 5.12733497E+00,
    // pa^0 dTmrt^6 va^0: Ta^0 down to Ta^0
    -4.73602469E-12,
    // pa^0 dTmrt^5 va^1: Ta^0 down to Ta^0
    1.95087203E-12,
    // pa^0 dTmrt^5 va^0: Ta^1 down to Ta^0
    4.03863260E-13, 6.62154879E-10,
    // pa^0 dTmrt^4 va^2: Ta^0 down to Ta^0
    1.17139133E-10,
    // pa^0 dTmrt^4 va^1: Ta^1 down to Ta^0
    -2.24730961E-11, -5.08220384E-09,
    // pa^0 dTmrt^4 va^0: Ta^2 down to Ta^0
    9.22652254E-12, 4.13908461E-10, -1.30369025E-09,
    // pa^0 dTmrt^3 va^3: Ta^0 down to Ta^0
    4.17032620E-10,
    // pa^0 dTmrt^3 va^2: Ta^1 down to Ta^0
    1.35908359E-10, -3.36514630E-08,
    // pa^0 dTmrt^3 va^1: Ta^2 down to Ta^0
    -3.52197671E-10, -1.81584736E-09, 1.25006734E-06,
    // pa^0 dTmrt^3 va^0: Ta^3 down to Ta^0
    9.79063848E-11, 7.51269482E-09, -2.18203660E-07, -1.21206673E-05,
    // pa^0 dTmrt^2 va^4: Ta^0 down to Ta^0
    -1.00361113E-08,
    // pa^0 dTmrt^2 va^3: Ta^1 down to Ta^0
    1.94960053E-09, 6.51711721E-07,
    // pa^0 dTmrt^2 va^2: Ta^2 down to Ta^0
    2.49709824E-09, -1.33895614E-07, -1.56236307E-05,
    // pa^0 dTmrt^2 va^1: Ta^3 down to Ta^0
    -1.50743064E-09, -8.75874982E-08, 5.24110970E-06, 1.54547250E-04,
    // pa^0 dTmrt^2 va^0: Ta^4 down to Ta^0
    2.42674348E-10, 2.46688878E-08, -4.52166564E-07, -5.65095215E-05, 7.55043090E-04,
    // pa^0 dTmrt^1 va^5: Ta^0 down to Ta^0
    8.15300114E-08,
    // pa^0 dTmrt^1 va^4: Ta^1 down to Ta^0
    -1.89489258E-08, -4.99410301E-06,
    // pa^0 dTmrt^1 va^3: Ta^2 down to Ta^0
    -6.21531254E-09, 1.35191328E-06, 8.49242932E-05,
    // pa^0 dTmrt^1 va^2: Ta^3 down to Ta^0
    1.07596466E-08, 2.47417178E-07, -4.99204314E-05, 1.69992415E-04,
    // pa^0 dTmrt^1 va^1: Ta^4 down to Ta^0
    -1.69699377E-09, -3.77925774E-07, 3.45433048E-06, 8.92859837E-04, -2.00518269E-02,
    // pa^0 dTmrt^1 va^0: Ta^5 down to Ta^0
    5.43079673E-10, 3.77830287E-08, -7.60781159E-07, -1.73754510E-04, 1.83945314E-04, 3.98374029E-01,
    // pa^0 dTmrt^0 va^6: Ta^0 down to Ta^0
    -5.91491269E-06,
    // pa^0 dTmrt^0 va^5: Ta^1 down to Ta^0
    -1.74202546E-07, 4.56306672E-04,
    // pa^0 dTmrt^0 va^4: Ta^2 down to Ta^0
    2.52785852E-09, 9.66891875E-06, -1.27762753E-02,
    // pa^0 dTmrt^0 va^3: Ta^3 down to Ta^0
    -4.16117031E-08, 2.22697524E-07, -6.57263143E-05, 1.58137256E-01,
    // pa^0 dTmrt^0 va^2: Ta^4 down to Ta^0
    1.14099531E-08, 1.94544667E-06, -5.21670675E-05, -4.08350271E-03, -7.51269505E-01,
    // pa^0 dTmrt^0 va^1: Ta^5 down to Ta^0
    -2.55090145E-09, -5.72983704E-07, -1.53347087E-05, 2.16844454E-03, 8.80326035E-02, -2.25836520E+00,
    // pa^0 dTmrt^0 va^0: Ta^6 down to Ta^0
    1.35959073E-09, 7.32602852E-08, -3.24651735E-06, -1.54271372E-04, 8.06470249E-04, -2.27712343E-02, 6.07562052E-01,
}};
// clang-format on

}  // namespace hygrian::air::measures
