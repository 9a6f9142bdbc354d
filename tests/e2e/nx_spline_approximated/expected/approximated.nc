--------------------------------------------------
NX spline of APT-CL line 11: the GOTO at line 17 after it lies on it short of its end, as an approximation of it would, and the tool would cut it twice
The spline is not written.
--------------------------------------------------
--------------------------------------------------
NX spline of APT-CL line 11: the GOTO at line 17 after it lies on it short of its end, as an approximation of it would, and the tool would cut it twice
The spline is not written.
--------------------------------------------------
