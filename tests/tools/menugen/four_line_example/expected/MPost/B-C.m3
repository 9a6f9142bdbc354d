NAME B/C.
y
