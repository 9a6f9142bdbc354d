NAME B/C.
y
NAME . . .
z
