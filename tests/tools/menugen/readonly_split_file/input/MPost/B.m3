old B
