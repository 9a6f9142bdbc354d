NAME con
x
