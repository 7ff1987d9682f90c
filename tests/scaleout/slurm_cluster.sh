# A one-node Slurm cluster on localhost for the tests, in a directory of its own: munge with its
# own key and socket, slurmctld and slurmd in the foreground on non-default ports, without
# cgroups, state and spool in the directory. Sourced by a test script:
#   cluster_start DIR   starts the daemons and waits until the node is idle
#   cluster_stop        stops them by their process ids
# Client commands find the cluster through SLURM_CONF, which cluster_start exports.

cluster_pids=()

# A free TCP port on localhost, from the kernel.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

cluster_start() {
  local dir="$1" node ctld_port slurmd_port tries
  node="$(hostname -s)" # slurmd finds its NodeName by the short host name
  mkdir -p "$dir/munge" "$dir/state" "$dir/spool" "$dir/log"
  chmod 711 "$dir" "$dir/munge"
  head -c 1024 /dev/urandom >"$dir/munge/munge.key"
  chmod 600 "$dir/munge/munge.key"
  munged --foreground --force --socket="$dir/munge/socket" --key-file="$dir/munge/munge.key" \
    --log-file="$dir/log/munged.log" --pid-file="$dir/munge/munged.pid" \
    --seed-file="$dir/munge/munged.seed" >"$dir/log/munged.out" 2>&1 &
  cluster_pids+=($!)
  for tries in $(seq 50); do [ -S "$dir/munge/socket" ] && break; sleep 0.1; done
  ctld_port="$(free_port)"
  slurmd_port="$(free_port)"
  cat >"$dir/slurm.conf" <<EOF
ClusterName=recharge-test
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=$(id -un)
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge/socket
CredType=cred/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
MailProg=/bin/true
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MpiDefault=none
MinJobAge=3600
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
  export SLURM_CONF="$dir/slurm.conf"
  slurmctld -D -i -f "$SLURM_CONF" >"$dir/log/slurmctld.out" 2>&1 &
  cluster_pids+=($!)
  slurmd -D -f "$SLURM_CONF" >"$dir/log/slurmd.out" 2>&1 &
  cluster_pids+=($!)
  for tries in $(seq 100); do
    [ "$(sinfo -h -o %t 2>/dev/null)" = idle ] && return 0
    sleep 0.2
  done
  echo "the test cluster did not come up; its logs:" >&2
  tail -n 20 "$dir"/log/*.out >&2
  return 1
}

cluster_stop() {
  local index
  # slurmd, slurmctld, then munged: the reverse of their start.
  for ((index = ${#cluster_pids[@]} - 1; index >= 0; index--)); do
    kill "${cluster_pids[$index]}" 2>/dev/null
    wait "${cluster_pids[$index]}" 2>/dev/null
  done
  cluster_pids=()
}
