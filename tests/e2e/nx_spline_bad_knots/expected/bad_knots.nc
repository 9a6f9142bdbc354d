--------------------------------------------------
NX spline of APT-CL line 10: KNOT record at line 16: knot 0.5000000 is smaller than the knot before it
The spline is not written.
--------------------------------------------------
--------------------------------------------------
NX spline of APT-CL line 10: KNOT record at line 16: knot 0.5000000 is smaller than the knot before it
The spline is not written.
--------------------------------------------------
