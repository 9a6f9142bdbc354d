$$ A die opening cut with a wire: the lower contour.  Its companion file
$$ die_openingx.cl holds the upper contour, motion for motion (tornel -x).
$$ The opening is 40 x 30 mm with R5 corners at the bottom; at the top it
$$ is 2 mm larger all round, two corners rounded R7 about the same centres
$$ and two chamfered.  Written by hand in the form of the CAM systems' CL
$$ files.
PARTNO 4711
UNITS/MM
SET/THICK,20.0,22.0,2.0
SET/SPARK,0.145
SET/WIRE,8
OPERTN/26
SET/POWER,2,6
RAPID
GOTO/30.0,15.0,0.0
WIRE/SUB
WIRE/FLOOD,3
WIRE/THREAD
FEDRAT/MMPM,3.5
CUTCOM/LEFT
GOTO/30.0,0.0,0.0
GOTO/45.0,0.0,0.0
CIRCLE/45.0,5.0,0.0,0.0,0.0,1.0,5.0
GOTO/50.0,5.0,0.0
GOTO/50.0,25.0,0.0
CIRCLE/45.0,25.0,0.0,0.0,0.0,1.0,5.0
GOTO/45.0,30.0,0.0
GOTO/15.0,30.0,0.0
CIRCLE/15.0,25.0,0.0,0.0,0.0,1.0,5.0
GOTO/10.0,25.0,0.0
GOTO/10.0,5.0,0.0
CIRCLE/15.0,5.0,0.0,0.0,0.0,1.0,5.0
GOTO/15.0,0.0,0.0
GOTO/30.0,0.0,0.0
CUTCOM/OFF
GOTO/30.0,15.0,0.0
WIRE/CUT
END
FINI
