set Dlg_Ret1=
set Dlg_Ret2=
set Dlg_Ret3=file
set Dlg_Ret4=txt
set Dlg_Ret5=file.txt
