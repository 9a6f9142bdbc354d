--------------------------------------------------
Spline from X30. Y0 Z-1.: a rapid motion at APT-CL line 22 before the tool reached its last control point X0 Y30. Z-1.
The program stops here.
--------------------------------------------------
%
N10 G17 G90 G21 G94
N20 T02 M06
N30 G00 X30. Y0 S8000 M03
N40 G43 Z5. H02
N50 G01 Z-1. F600.
N60 G06.2 P3 K0 X30. Y0 Z-1. R1. F600.
N70 K0 X30. Y30. Z-1. R0.707107
N80 K0 X0 Y30. Z-1. R1.
N90 K1.
N100 K1.
N110 K1.
--------------------------------------------------
Spline from X30. Y0 Z-1.: a rapid motion at APT-CL line 22 before the tool reached its last control point X0 Y30. Z-1.
The program stops here.
--------------------------------------------------
