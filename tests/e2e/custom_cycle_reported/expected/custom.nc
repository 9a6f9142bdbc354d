--------------------------------------------------
Hole not drilled, the post file has no function for its cycle. APT-CL line=8
--------------------------------------------------
%
N10 G17 G90 G21 G94
N20 T01 M06
N30 G00 X0 Y0 S1000 M03
N40 G43 Z20. H01
N50 (HOLE NOT DRILLED THE POST FILE HAS NO FUNCTION FOR ITS CYCLE. APT-CL LINE8)
N60 (HOLE NOT DRILLED THE POST FILE HAS NO FUNCTION FOR ITS CYCLE. APT-CL LINE9)
N70 X10.
N80 M09
N90 M05
N100 M30
%
--------------------------------------------------
Hole not drilled, the post file has no function for its cycle. APT-CL line=8
--------------------------------------------------
