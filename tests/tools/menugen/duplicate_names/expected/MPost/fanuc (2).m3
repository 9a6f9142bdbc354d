NAME fanuc
second
