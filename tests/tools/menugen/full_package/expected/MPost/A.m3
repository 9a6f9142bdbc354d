NAME A
x
