--------------------------------------------------
MOVNRB spline of APT-CL line 12: MOVNRB/2 at line 15 brings more control points than the 4 its MOVNRB/ON record announces
The spline is not written.
--------------------------------------------------
--------------------------------------------------
MOVNRB spline of APT-CL line 12: MOVNRB/2 at line 15 brings more control points than the 4 its MOVNRB/ON record announces
The spline is not written.
--------------------------------------------------
