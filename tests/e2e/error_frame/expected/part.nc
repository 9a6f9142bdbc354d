--------------------------------------------------
Error in postprocessor file - mill.tr

Division by zero in line 17:
  o: _x(2 / urZero)

--------------------------------------------------
N10(LEN 29)
N20 X+0001.000
--------------------------------------------------
Error in postprocessor file - mill.tr

Division by zero in line 17:
  o: _x(2 / urZero)

--------------------------------------------------
