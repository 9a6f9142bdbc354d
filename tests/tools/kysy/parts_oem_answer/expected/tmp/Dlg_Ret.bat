set Dlg_Ret1=C
set Dlg_Ret2=\Ty”
set Dlg_Ret3=P„iv„
set Dlg_Ret4=txt
set Dlg_Ret5=C:\Ty”\P„iv„.txt
