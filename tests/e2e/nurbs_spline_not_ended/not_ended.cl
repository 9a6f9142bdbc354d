$$ A spline whose approximating GOTO motions stop short of its last control
$$ point (0,30,-1) before a rapid motion: the post stops rather than leave
$$ the motions after it out or write them from the wrong place.
PARTNO/NOT ENDED
UNITS/MM
LOADTL/2
SPINDL/RPM,8000,CLW
RAPID
GOTO/30.0,0.0,5.0
FEDRAT/MMPM,600.0
GOTO/30.0,0.0,-1.0
NCRV/3,3,0.0,1.0
CTRLPT/0.0,30.0,0.0,-1.0,1
CTRLPT/0.0,30.0,30.0,-1.0,0.7071067812
CTRLPT/0.0,0.0,30.0,-1.0,1
KNOT/1.0
KNOT/1.0
KNOT/1.0
GOTO/25.1099,16.4163,-1.0
GOTO/16.4163,25.1099,-1.0
RAPID
GOTO/16.4163,25.1099,5.0
END
FINI
