NAME Fanuc
first
